// Test-only controls of the simulated machine that stands under the module
// in the native build: a settable local clock, an in-memory profile, the
// module's string table, LocalAlloc with failure injection, a graphics layer
// and a message sender that record every call, and a recording host (the
// HOSTRUN operations and the run-header callbacks). The module never includes
// this header; tests, the fuzzer and the benchmarks do.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "contract/host_services.h"
#include "winapi/windows_api.h"

namespace sim {

// One recorded call, host or graphics, in the order the module made them.
struct Call {
    std::string op;            // "HostDrawLine", "Ellipse", "SendMessageA", ...
    std::vector<int64_t> args; // integers, rectangle and point members inline
    std::string text;          // the text of HostDrawText / GetTextExtentPointA
    bool failed = false;       // answered with the failure of its kind
};

// Puts the whole machine back to its initial state: clock at
// civil::kDefaultMoment, empty profile, no failures armed,
// recorders empty and on, every counter at 0.
void Reset();

// ---- clock ----
void SetClock(int year, int month, int day, int hour, int minute, int second, int millisecond);
void SetClock(const SYSTEMTIME& moment); // the weekday is taken from the date
SYSTEMTIME Clock();
// Moves the clock by a signed number of milliseconds across days, months and
// years, keeping the weekday right.
void AdvanceClock(int64_t milliseconds);
int ClockReads();  // GetLocalTime calls since Reset
int ClockWrites(); // SetLocalTime calls since Reset, accepted or not
bool IsValidSystemTime(const SYSTEMTIME& time);
int WeekdayOf(int year, int month, int day); // 0 = Sunday

// ---- profile (section "Intl" and any other) ----
void SetProfileString(const char* section, const char* key, const char* value);
void RemoveProfileString(const char* section, const char* key);

// ---- memory ----
void FailNextLocalAlloc();
int LiveLocalAllocs();

// ---- failures of the acquiring calls (testbed/simulated_machine/acquiring_calls.inc) ----
enum class Acquiring {
#define CHX_ACQUIRING_CALL(name, failure) k##name,
#include "simulated_machine/acquiring_calls.inc"
#undef CHX_ACQUIRING_CALL
    kCount
};
const char* AcquiringCallName(Acquiring call);
const char* AcquiringCallFailure(Acquiring call); // what a failure answers
// The nth acquiring call from now on (1 = the next), whichever it is, fails;
// 0 fails none. The switches of single kinds below act as well.
void FailNthAcquiringCall(int n);
int AcquiringCalls(); // made since Reset, failed ones included
// The kind of the call that the nth switch failed, kCount while none has.
Acquiring FailedAcquiringCall();

// ---- recorders ----
// Off, nothing is appended (and nothing allocated): for benchmarks.
void SetRecording(bool on);
std::vector<Call>& Calls();
void ClearCalls();
// Calls whose op equals the given name, in order.
std::vector<Call> CallsNamed(const char* op);

// Live Windows objects made by CreatePen or HostFontGetGdiFont and not yet
// deleted; device contexts handed out by the host and not yet given back. As
// on Windows, an object deleted while selected lives on until it is selected
// out, and for ever when its context is given back first.
int LiveGdiObjects();
bool IsLiveGdiObject(HGDIOBJ object);
int OutstandingDCs();

// Text measurement of GetTextExtentPointA; default is 8 x 16 per character.
void SetTextExtent(std::function<SIZE(const char* text, int length)> measure);

// ---- recording host ----
void FailFontCreate(bool fail); // HostFontCreate answers 0
void FailGdiFont(bool fail);    // HostFontGetGdiFont answers 0
int LiveHostFonts();            // registered and not yet deleted
FontRequest LastFontRequest();  // copy of the last request seen
HostSurface* TheSurface();
HostFontBank* TheFontBank();
// The run header emptied and handed the surface, the font bank and these
// callbacks: each host's ResetHost starts here.
void WireRunHeader(HostCallback pushEvent, HostCallback eraseObject, HostCallback redisplay);

// A run header wired to the recording host: surface, font bank, origin 0,0,
// callbacks that append "HostPushEvent" / "HostEraseObject" /
// "HostRedisplay" calls with args (object address, a, b), and eventCount 0.
// Reset restores it.
RunHeader* TheRunHeader();

} // namespace sim

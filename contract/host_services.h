// The contract between CHRONYX and the host that loads it: the host's object
// header and run header, the callbacks in the run header, the font records,
// the registration record and the operations of the host's runtime library
// HOSTRUN, which the module imports by ordinal only. Everything here belongs to
// the host; this file pins it so that the module, its tests and every host
// agree. Offsets are asserted for the 32-bit product; the native build keeps
// the same order with its natural pointer size.
#pragma once

#include <cstddef>
#include <cstdint>

#include "winapi/windows_api.h"

#if UINTPTR_MAX == 0xFFFFFFFFu
#define CHX_32BIT 1
#define CHX_64BIT 0
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
#define CHX_32BIT 0
#define CHX_64BIT 1
#endif

// HOSTRUN operations are imported when the module is built, exported when the
// reference host's HOSTRUN.dll is built, and plain functions natively.
#if defined(_WIN32) && defined(CHX_BUILDING_HOSTRUN)
#define CHX_HOSTRUN_API __declspec(dllexport)
#elif defined(_WIN32)
#define CHX_HOSTRUN_API __declspec(dllimport)
#else
#define CHX_HOSTRUN_API
#endif

constexpr uint32_t kObjectHeaderSize = 320;
constexpr uint32_t kEditDataSize = 448;
constexpr uint32_t kRunDataSize = 744;
constexpr uint32_t kFontRequestSize = 104;
constexpr uint32_t kFontDescriptionSize = 50;

struct RunData;

// Opaque to the module: only the host knows what stands behind them.
struct HostSurface;
struct HostFontBank;

// A run-header callback; its result is ignored.
typedef int32_t(WINAPI* HostCallback)(void* runData, int32_t a, int32_t b);

struct RunHeader {
    HostSurface* surface;
    HostFontBank* fontBank;
    int16_t displayOriginX; // surface coordinate = frame coordinate - origin
    int16_t displayOriginY;
    HostCallback HostPushEvent;   // (object, code 1..6, 0)
    HostCallback HostEraseObject; // (object, 0, 0)
    HostCallback HostRedisplay;   // (object, 0, 0)
    int32_t eventCount;           // counts the host's event loops
};

constexpr uint8_t kObjectFlagEventsTrue = 0x02;

#pragma pack(push, 1)

struct ObjectHeader {
    RunHeader* runHeader;
    int16_t x;
    int16_t y;
    int16_t hotSpotX;
    int16_t hotSpotY;
    int16_t width;
    int16_t height;
    uint8_t flags; // kObjectFlagEventsTrue: every event condition answers true
    uint8_t reserved[kObjectHeaderSize - sizeof(RunHeader*) - 13];
};

// LOGFONT-like description in the host's stored format; only hosts read it.
struct FontDescription {
    int32_t height; // negative: character height in pixels
    int32_t weight; // 400 normal, 700 bold
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    char faceName[32];
    uint8_t reserved[6];
};

struct FontRequest {
    uint8_t zero0[6];
    uint32_t zero6;
    uint16_t word10; // 1
    uint16_t word12; // 0
    FontDescription font;
    char style[32];   // NUL-terminated, the rest of the slot 0
    uint16_t word96;  // 0
    uint16_t word98;  // 2
    uint16_t word100; // 0
    uint16_t word102; // 255
};

struct RegistrationRecord {
    const void* conditionTable;
    const void* actionTable;
    const void* expressionTable;
    uint16_t conditionCount;
    uint16_t actionCount;
    uint16_t expressionCount;
    uint16_t editDataSize;
    uint16_t objectFlags;
    uint16_t hostField; // the host's: never written by the module
    uint16_t hostParameter;
    uint8_t identifier[4];
    uint16_t extraWord;
};

#pragma pack(pop)

static_assert(sizeof(ObjectHeader) == kObjectHeaderSize);
static_assert(sizeof(FontDescription) == kFontDescriptionSize);
static_assert(sizeof(FontRequest) == kFontRequestSize);
static_assert(offsetof(FontDescription, weight) == 4);
static_assert(offsetof(FontDescription, italic) == 8);
static_assert(offsetof(FontDescription, charSet) == 11);
static_assert(offsetof(FontDescription, faceName) == 12);
static_assert(offsetof(FontRequest, zero6) == 6);
static_assert(offsetof(FontRequest, word10) == 10);
static_assert(offsetof(FontRequest, word12) == 12);
static_assert(offsetof(FontRequest, font) == 14);
static_assert(offsetof(FontRequest, style) == 64);
static_assert(offsetof(FontRequest, word96) == 96);
static_assert(offsetof(FontRequest, word98) == 98);
static_assert(offsetof(FontRequest, word100) == 100);
static_assert(offsetof(FontRequest, word102) == 102);

#if CHX_32BIT
static_assert(offsetof(ObjectHeader, x) == 4);
static_assert(offsetof(ObjectHeader, y) == 6);
static_assert(offsetof(ObjectHeader, hotSpotX) == 8);
static_assert(offsetof(ObjectHeader, hotSpotY) == 10);
static_assert(offsetof(ObjectHeader, width) == 12);
static_assert(offsetof(ObjectHeader, height) == 14);
static_assert(offsetof(ObjectHeader, flags) == 16);
static_assert(offsetof(RunHeader, fontBank) == 4);
static_assert(offsetof(RunHeader, displayOriginX) == 8);
static_assert(offsetof(RunHeader, displayOriginY) == 10);
static_assert(offsetof(RunHeader, HostPushEvent) == 12);
static_assert(offsetof(RunHeader, HostEraseObject) == 16);
static_assert(offsetof(RunHeader, HostRedisplay) == 20);
static_assert(offsetof(RunHeader, eventCount) == 24);
static_assert(sizeof(RunHeader) == 28);
static_assert(offsetof(RegistrationRecord, actionTable) == 4);
static_assert(offsetof(RegistrationRecord, expressionTable) == 8);
static_assert(offsetof(RegistrationRecord, conditionCount) == 12);
static_assert(offsetof(RegistrationRecord, actionCount) == 14);
static_assert(offsetof(RegistrationRecord, expressionCount) == 16);
static_assert(offsetof(RegistrationRecord, editDataSize) == 18);
static_assert(offsetof(RegistrationRecord, objectFlags) == 20);
static_assert(offsetof(RegistrationRecord, hostField) == 22);
static_assert(offsetof(RegistrationRecord, hostParameter) == 24);
static_assert(offsetof(RegistrationRecord, identifier) == 26);
static_assert(offsetof(RegistrationRecord, extraWord) == 30);
static_assert(sizeof(RegistrationRecord) == 32);
#elif CHX_64BIT
// The run header is not packed: its callbacks keep their natural alignment.
static_assert(offsetof(ObjectHeader, x) == 8);
static_assert(offsetof(ObjectHeader, y) == 10);
static_assert(offsetof(ObjectHeader, hotSpotX) == 12);
static_assert(offsetof(ObjectHeader, hotSpotY) == 14);
static_assert(offsetof(ObjectHeader, width) == 16);
static_assert(offsetof(ObjectHeader, height) == 18);
static_assert(offsetof(ObjectHeader, flags) == 20);
static_assert(offsetof(RunHeader, fontBank) == 8);
static_assert(offsetof(RunHeader, displayOriginX) == 16);
static_assert(offsetof(RunHeader, displayOriginY) == 18);
static_assert(offsetof(RunHeader, HostPushEvent) == 24);
static_assert(offsetof(RunHeader, HostEraseObject) == 32);
static_assert(offsetof(RunHeader, HostRedisplay) == 40);
static_assert(offsetof(RunHeader, eventCount) == 48);
static_assert(sizeof(RunHeader) == 56);
static_assert(offsetof(RegistrationRecord, actionTable) == 8);
static_assert(offsetof(RegistrationRecord, expressionTable) == 16);
static_assert(offsetof(RegistrationRecord, conditionCount) == 24);
static_assert(offsetof(RegistrationRecord, actionCount) == 26);
static_assert(offsetof(RegistrationRecord, expressionCount) == 28);
static_assert(offsetof(RegistrationRecord, editDataSize) == 30);
static_assert(offsetof(RegistrationRecord, objectFlags) == 32);
static_assert(offsetof(RegistrationRecord, hostField) == 34);
static_assert(offsetof(RegistrationRecord, hostParameter) == 36);
static_assert(offsetof(RegistrationRecord, identifier) == 38);
static_assert(offsetof(RegistrationRecord, extraWord) == 42);
static_assert(sizeof(RegistrationRecord) == 44);
#endif

// Routine tables: every routine takes the run data first.
typedef int32_t(WINAPI* ConditionRoutine)(RunData* run, int32_t param1, int32_t param2);
typedef int16_t(WINAPI* ActionRoutine)(RunData* run, int32_t param1, int32_t param2);
typedef int32_t(WINAPI* ExpressionRoutine)(RunData* run, int32_t param);

constexpr uint32_t kFontKind = 0x101;
constexpr uint32_t kDrawTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE; // 0x25
static_assert(kDrawTextFlags == 0x25);

// The operations of HOSTRUN, with their import ordinals:
//   98 HostFontCreate       60 HostFontDelete        54 HostFontGetGdiFont
//   65 HostDrawText         50 HostSetPen           143 HostDrawLine
//  177 HostDrawFrame        66 HostGetSurfaceDC     169 HostReleaseSurfaceDC
//   67 HostBeginGdiDraw    170 HostEndGdiDraw        56 HostMarkChanged
extern "C" {
CHX_HOSTRUN_API uint16_t WINAPI HostFontCreate(HostFontBank* bank, uint32_t kind,
                                               FontRequest* request, int32_t a, int32_t b);
CHX_HOSTRUN_API void WINAPI HostFontDelete(HostFontBank* bank, uint32_t handle);
CHX_HOSTRUN_API HFONT WINAPI HostFontGetGdiFont(HostFontBank* bank, uint32_t handle);
CHX_HOSTRUN_API void WINAPI HostDrawText(HostSurface* surface, HFONT font, const RECT* rect,
                                         const char* text, COLORREF colour, uint32_t flags);
CHX_HOSTRUN_API void WINAPI HostSetPen(HostSurface* surface, COLORREF colour, int32_t style,
                                       int32_t width);
CHX_HOSTRUN_API void WINAPI HostDrawLine(HostSurface* surface, const POINT* from, const POINT* to,
                                         int32_t mode);
CHX_HOSTRUN_API void WINAPI HostDrawFrame(HostSurface* surface, const RECT* rect);
CHX_HOSTRUN_API HDC WINAPI HostGetSurfaceDC(HostSurface* surface);
CHX_HOSTRUN_API void WINAPI HostReleaseSurfaceDC(HostSurface* surface, HDC dc);
CHX_HOSTRUN_API HDC WINAPI HostBeginGdiDraw(HostSurface* surface);
CHX_HOSTRUN_API void WINAPI HostEndGdiDraw(HostSurface* surface, HDC dc);
CHX_HOSTRUN_API void WINAPI HostMarkChanged(HostSurface* surface, const RECT* rect);
}

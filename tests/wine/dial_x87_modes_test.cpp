// The dial on the real DLL whatever the host left the x87 unit in: a host
// whose graphics library switched it to 24-bit precision, or one rounding
// toward zero, must see every centre, hand tip, mark and numeral exactly
// where Windows' default mode puts them. The DLL's calls of HOSTRUN's line and
// text operations are recorded on their way through, so that the points are
// compared, not the pixels that Windows' own arithmetic makes of them.
#include "tests/wine/wine_fixture.h"

#include <cstdio>
#include <string>
#include <vector>

#include "host/common/import_patch.h"

namespace {

using wine::Api;
using wine::WineHost;

constexpr uint16_t kDefaultMode = 0x027F; // 53-bit precision, to nearest, all masked
constexpr uint16_t kSinglePrecision = 0x007F;
constexpr uint16_t kTowardZero = 0x0E7F; // 53-bit precision, toward zero

uint16_t X87Mode() {
    uint16_t mode;
    __asm__ volatile("fnstcw %0" : "=m"(mode));
    return mode;
}

void SetX87Mode(uint16_t mode) {
    __asm__ volatile("fldcw %0" : : "m"(mode));
}

// What the dial drew, one line of text per call.
std::string g_drawn;

void WINAPI RecordLine(HostSurface* surface, const POINT* from, const POINT* to, int32_t mode) {
    char line[96];
    std::snprintf(line, sizeof line, "line (%ld, %ld) (%ld, %ld)\n", static_cast<long>(from->x),
                  static_cast<long>(from->y), static_cast<long>(to->x), static_cast<long>(to->y));
    g_drawn += line;
    HostDrawLine(surface, from, to, mode);
}

void WINAPI RecordText(HostSurface* surface, HFONT font, const RECT* rect, const char* text,
                       COLORREF colour, uint32_t flags) {
    char line[128];
    std::snprintf(line, sizeof line, "text %s (%ld, %ld, %ld, %ld)\n", text,
                  static_cast<long>(rect->left), static_cast<long>(rect->top),
                  static_cast<long>(rect->right), static_cast<long>(rect->bottom));
    g_drawn += line;
    HostDrawText(surface, font, rect, text, colour, flags);
}

// Windows measures the numerals in its default mode, so that only the
// module's own arithmetic meets the host's.
void* g_measure = nullptr;
BOOL WINAPI MeasureInDefaultMode(HDC dc, LPCSTR text, int length, LPSIZE size) {
    const uint16_t host = X87Mode();
    SetX87Mode(kDefaultMode);
    const BOOL done =
        reinterpret_cast<decltype(&GetTextExtentPointA)>(g_measure)(dc, text, length, size);
    SetX87Mode(host);
    return done;
}

// Points the DLL's import slot bound to `bound` at `replacement`: the HOSTRUN
// imports carry ordinals, not names, so the slot is found by its address.
bool SwapHostrunImport(void* bound, void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(wine::Chronyx());
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name;
         ++d) {
        if (lstrcmpiA(reinterpret_cast<char*>(base + d->Name), "HOSTRUN.dll") != 0) continue;
        for (auto* slot = reinterpret_cast<void**>(base + d->FirstThunk); *slot; ++slot) {
            if (*slot != bound) continue;
            DWORD protect;
            if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protect)) return false;
            *slot = replacement;
            VirtualProtect(slot, sizeof *slot, protect, &protect);
            return true;
        }
    }
    return false;
}

class DialX87Modes : public WineHost {
  protected:
    void SetUp() override {
        WineHost::SetUp();
        ASSERT_TRUE(SwapHostrunImport(reinterpret_cast<void*>(&HostDrawLine),
                                      reinterpret_cast<void*>(&RecordLine)));
        ASSERT_TRUE(SwapHostrunImport(reinterpret_cast<void*>(&HostDrawText),
                                      reinterpret_cast<void*>(&RecordText)));
        ASSERT_TRUE(PatchImport(wine::Chronyx(), "gdi32.dll", "GetTextExtentPointA",
                                reinterpret_cast<void*>(&MeasureInDefaultMode), &g_measure));
    }

    void TearDown() override {
        SetX87Mode(kDefaultMode);
        SwapHostrunImport(reinterpret_cast<void*>(&RecordLine),
                          reinterpret_cast<void*>(&HostDrawLine));
        SwapHostrunImport(reinterpret_cast<void*>(&RecordText),
                          reinterpret_cast<void*>(&HostDrawText));
        if (g_measure)
            PatchImport(wine::Chronyx(), "gdi32.dll", "GetTextExtentPointA", g_measure, nullptr);
        g_measure = nullptr;
        WineHost::TearDown();
    }

    // Everything one draw in the given x87 mode put on the dial and in the
    // run data; the mode the host had comes back unchanged or the record says so.
    std::string Draw(RunData* run, uint16_t mode) {
        g_drawn.clear();
        SetX87Mode(mode);
        Api().DisplayRunObject(run);
        const uint16_t after = X87Mode();
        SetX87Mode(kDefaultMode);
        char tips[160];
        std::snprintf(tips, sizeof tips, "centre (%d, %d) tips (%d, %d) (%d, %d) (%d, %d)\n",
                      run->centreX, run->centreY, run->hourHandEndX, run->hourHandEndY,
                      run->minuteHandEndX, run->minuteHandEndY, run->secondHandEndX,
                      run->secondHandEndY);
        std::string record = tips + g_drawn;
        if (after != mode) record += "x87 control word left at " + std::to_string(after) + "\n";
        return record;
    }

    RunData* Dial(int16_t side, int16_t numerals, int16_t clockMode) {
        EditData edit = wine::MakeEditData(kDisplayAnalog);
        edit.width = edit.height = side;
        edit.settings.analogNumerals = numerals;
        edit.settings.clockMode = clockMode;
        return CreateObject(edit, 10, 20);
    }
};

const struct {
    const char* name;
    uint16_t mode;
} kHostModes[] = {
    {"24-bit precision", kSinglePrecision},
    {"rounding toward zero", kTowardZero},
};

// Large dials too: the larger the radius, the smaller the difference in a
// direction that moves a point.
constexpr int16_t kSides[] = {101, 2001, 30001};

TEST_F(DialX87Modes, LocalTimeFacesLandWhereTheDefaultModePutsThem) {
    for (int16_t numerals : {kNumeralsArabic, kNumeralsRoman}) {
        for (int16_t side : kSides) {
            RunData* run = Dial(side, numerals, kModeTime);
            ASSERT_NE(nullptr, run);
            // Every hour, minute and second position once.
            for (int minute = 0; minute < 60; ++minute) {
                const int hour = minute % 12, second = 59 - minute;
                hostclock::Set(fixture::Moment(2026, 3, 5, static_cast<WORD>(hour),
                                               static_cast<WORD>(minute), static_cast<WORD>(second),
                                               0));
                const std::string expected = Draw(run, kDefaultMode);
                for (const auto& host : kHostModes)
                    EXPECT_EQ(expected, Draw(run, host.mode))
                        << host.name << ", side " << side << ", numerals " << numerals << ", "
                        << hour << ":" << minute << ":" << second;
            }
            DestroyObject(run);
        }
    }
}

// A timer of a day or more brings hours beyond a day's.
TEST_F(DialX87Modes, LongTimerHoursLandWhereTheDefaultModePutsThem) {
    const int32_t kHundredthsPerHour = 360000;
    const int32_t kElapsed[] = {13 * kHundredthsPerHour, 25 * kHundredthsPerHour + 7 * 6000 + 900,
                                5000 * kHundredthsPerHour + 59 * 6000 + 5900};
    for (int16_t side : kSides) {
        RunData* run = Dial(side, kNumeralsArabic, kModeChronometer);
        ASSERT_NE(nullptr, run);
        for (int32_t elapsed : kElapsed) {
            run->chronoStart = 0;
            run->chronoElapsed = elapsed;
            const std::string expected = Draw(run, kDefaultMode);
            for (const auto& host : kHostModes)
                EXPECT_EQ(expected, Draw(run, host.mode))
                    << host.name << ", side " << side << ", timer at " << elapsed << " hundredths";
        }
        DestroyObject(run);
    }
}

} // namespace

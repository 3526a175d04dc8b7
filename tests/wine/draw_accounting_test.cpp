// Every kind of draw of the real DLL, with the host's font and with the host
// refusing it: the fixture's accounting fails the test on any pen or font
// left behind, anything deleted that the draw did not make or while still
// selected, and any context given back holding other objects than it was
// lent with. Faults planted between the DLL and the accounting show that it
// sees each of them.
#include "tests/wine/wine_fixture.h"

#include <string>
#include <vector>

#include "host/common/gdi_accounting.h"
#include "host/common/import_patch.h"

namespace {

using wine::Api;
using wine::WineHost;

// One kind of draw; what is not named is as wine::MakeEditData sets it.
struct Kind {
    const char* what;
    int16_t displayType = kDisplayAnalog;
    int16_t clockMode = kModeTime;
    int16_t numerals = kNumeralsArabic;
    int16_t border = 1;
    int16_t hourHand = 1;
    int16_t digitalFormat = 0;
    int16_t calendarFormat = 0;
    int16_t calendarPattern = 0;
};

// Each display type, digital layout, date format and pattern, numeral style,
// clock mode and hand switch at least once.
std::vector<Kind> Kinds() {
    std::vector<Kind> kinds = {
        {.what = "analog, Arabic numerals, circle"},
        {.what = "analog, Roman, chronometer", .clockMode = kModeChronometer, .numerals = 1},
        {.what = "analog, no numerals, countdown", .clockMode = kModeCountdown, .numerals = 2},
        {.what = "analog, no circle, hour hand off", .border = 0, .hourHand = 0},
        {.what = "analog, hour hand switch 2", .hourHand = 2},
        {.what = "digital layout 0, framed", .displayType = kDisplayDigital},
        {.what = "digital layout 1, chronometer",
         .displayType = kDisplayDigital,
         .clockMode = 1,
         .digitalFormat = 1},
        {.what = "digital layout 2, countdown, no frame",
         .displayType = kDisplayDigital,
         .clockMode = 2,
         .border = 0,
         .digitalFormat = 2},
        {.what = "digital layout 3", .displayType = kDisplayDigital, .digitalFormat = 3},
        {.what = "digital layout 4", .displayType = kDisplayDigital, .digitalFormat = 4},
        {.what = "invisible", .displayType = kDisplayInvisible},
        {.what = "calendar, short date", .displayType = kDisplayCalendar},
        {.what = "calendar, long date", .displayType = kDisplayCalendar, .calendarFormat = 1},
    };
    static const char* const kPatterns[] = {
        "calendar, pattern 0", "calendar, pattern 1", "calendar, pattern 2", "calendar, pattern 3",
        "calendar, pattern 4", "calendar, pattern 5", "calendar, pattern 6"};
    for (int16_t p = 0; p < 7; ++p)
        kinds.push_back({.what = kPatterns[p],
                         .displayType = kDisplayCalendar,
                         .calendarFormat = 2,
                         .calendarPattern = p});
    return kinds;
}

EditData EditOf(const Kind& k) {
    EditData edit = wine::MakeEditData(k.displayType);
    edit.settings.clockMode = k.clockMode;
    edit.settings.analogNumerals = k.numerals;
    edit.settings.border = k.border;
    edit.settings.hourHand = k.hourHand;
    edit.settings.digitalFormat = k.digitalFormat;
    edit.settings.calendarFormat = k.calendarFormat;
    edit.settings.calendarPattern = k.calendarPattern;
    return edit;
}

class DrawAccounting : public WineHost {};

TEST_F(DrawAccounting, EveryKindOfDrawGivesBackWhatItTook) {
    for (bool refused : {false, true}) {
        gdiaccount::SetFailing(gdiaccount::Call::kHostFontGetGdiFont, refused);
        for (const Kind& kind : Kinds()) {
            SCOPED_TRACE(std::string(kind.what) + (refused ? ", no font from the host" : ""));
            RunData* run = CreateObject(EditOf(kind));
            ASSERT_NE(nullptr, run);
            EXPECT_EQ(0, Display(run));
            EXPECT_EQ(0, DestroyObject(run));
        }
    }
}

// Planted faults: calls taken out between the DLL and the accounting.
decltype(&::DeleteObject) g_delete;
decltype(&::SelectObject) g_select;
DWORD g_keptType = 0; // the kind of object whose deletion is dropped
std::vector<HGDIOBJ> g_kept;
int g_penSelections = 0;

BOOL WINAPI DeleteAllBut(HGDIOBJ object) {
    if (GetObjectType(object) != g_keptType) return g_delete(object);
    g_kept.push_back(object);
    return TRUE;
}

// The second pen selection of a draw is the one that puts the old pen back.
HGDIOBJ WINAPI DropPenPutBack(HDC dc, HGDIOBJ object) {
    if (GetObjectType(object) == OBJ_PEN && ++g_penSelections == 2) return object;
    return g_select(dc, object);
}

const char kPenKept[] = "the pen from CreatePen is not deleted";
const char kFontKept[] = "the font from HostFontGetGdiFont is not deleted";

TEST_F(DrawAccounting, SeesEachPlantedFault) {
    const struct {
        const char* what;
        Kind kind;
        DWORD keptType; // 0: the pen is left selected instead
        std::vector<std::string> faults;
    } cases[] = {
        {"dial's pen not deleted", {.what = "", .numerals = kNumeralsNone}, OBJ_PEN, {kPenKept}},
        {"dial's pen not put back",
         {.what = "", .numerals = kNumeralsNone},
         0,
         {"DeleteObject of the pen from CreatePen while it is selected into the device context "
          "from HostBeginGdiDraw",
          "the device context from HostBeginGdiDraw is given back holding another pen than it "
          "held when lent",
          // The host lends its one context for measuring too.
          "the device context from HostGetSurfaceDC is given back holding another pen than it "
          "held when lent",
          "the pen from CreatePen is deleted but lives on, still selected somewhere"}},
        {"numeral font not deleted", {.what = "", .border = 0}, OBJ_FONT, {kFontKept}},
        {"text font not deleted",
         {.what = "", .displayType = kDisplayDigital},
         OBJ_FONT,
         {kFontKept}},
    };
    const HMODULE dll = wine::Chronyx();
    for (const auto& c : cases) {
        g_keptType = c.keptType;
        g_penSelections = 0;
        if (c.keptType)
            ASSERT_TRUE(imports::Chain(dll, "gdi32.dll", "DeleteObject", &DeleteAllBut, &g_delete));
        else
            ASSERT_TRUE(
                imports::Chain(dll, "gdi32.dll", "SelectObject", &DropPenPutBack, &g_select));
        RunData* run = CreateObject(EditOf(c.kind));
        ASSERT_NE(nullptr, run);
        Api().DisplayRunObject(run);
        EXPECT_EQ(c.faults, gdiaccount::Settle()) << c.what;
        wine::RestoreImports();
        // What the fault left behind, cleared by hand.
        HDC dc = HostGetSurfaceDC(surface);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        HostReleaseSurfaceDC(surface, dc);
        for (HGDIOBJ object : g_kept)
            DeleteObject(object);
        g_kept.clear();
        DestroyObject(run);
    }
}

} // namespace

// One ledger for the process: the replacements in the import tables carry no
// context of their own, and the module is called on one thread.
#include "host/common/gdi_accounting.h"

#include <algorithm>
#include <iterator>

#include "contract/host_services.h"
#include "host/common/import_patch.h"

namespace gdiaccount {

namespace {

// Something the module made or was handed, which it must delete.
struct Made {
    HGDIOBJ handle;
    Call from;
    bool deleted;
    bool deletionFailed; // a DeleteObject made to fail: the ledger deletes it
};

// A context lent to the module and what it held then.
struct Loan {
    HDC dc;
    Call from;
    HGDIOBJ held[3];
};

// The slots of a context, in the order of Loan::held.
constexpr UINT kSlots[3] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT};
constexpr const char* kSlotNames[3] = {"pen", "brush", "font"};

struct Ledger {
    std::vector<Made> made;
    std::vector<Loan> loans;
    std::vector<std::string> faults;
    bool failing[kCallCount] = {};
};

Ledger& TheLedger() {
    static Ledger ledger;
    return ledger;
}

bool Failing(Call call) {
    return TheLedger().failing[static_cast<int>(call)];
}

void Fault(const std::string& text) {
    TheLedger().faults.push_back(text);
}

std::string WhatMade(const Made& m) {
    return m.from == Call::kCreatePen ? "the pen from CreatePen"
                                      : "the font from HostFontGetGdiFont";
}

std::string WhatLent(Call from) {
    return std::string("the device context from ") + NameOf(from);
}

decltype(&::CreatePen) g_createPen;
decltype(&::GetStockObject) g_getStockObject;
decltype(&::SelectObject) g_selectObject;
decltype(&::DeleteObject) g_deleteObject;
decltype(&::HostFontGetGdiFont) g_hostFontGetGdiFont;

void Keep(HGDIOBJ handle, Call from) {
    if (handle) TheLedger().made.push_back(Made{handle, from, false, false});
}

HDC Lend(HDC dc, Call from) {
    if (!dc) return dc;
    Loan loan{dc, from, {}};
    for (int s = 0; s < 3; ++s)
        loan.held[s] = GetCurrentObject(dc, kSlots[s]);
    TheLedger().loans.push_back(loan);
    return dc;
}

// A context given back must be the one its partner lent, holding what it held.
void GiveBack(HDC dc, Call lentBy, Call givenBy) {
    if (!dc) return; // what a failed loan gave, handed back as it came
    std::vector<Loan>& loans = TheLedger().loans;
    for (auto loan = loans.rbegin(); loan != loans.rend(); ++loan) {
        if (loan->dc != dc || loan->from != lentBy) continue;
        for (int s = 0; s < 3; ++s)
            if (GetCurrentObject(dc, kSlots[s]) != loan->held[s])
                Fault(WhatLent(lentBy) + " is given back holding another " + kSlotNames[s] +
                      " than it held when lent");
        loans.erase(std::next(loan).base());
        return;
    }
    Fault(std::string(NameOf(givenBy)) + " of a device context that " + NameOf(lentBy) +
          " did not lend");
}

HPEN WINAPI AccountedCreatePen(int style, int width, COLORREF colour) {
    if (Failing(Call::kCreatePen)) return nullptr;
    HPEN pen = g_createPen(style, width, colour);
    Keep(pen, Call::kCreatePen);
    return pen;
}

HGDIOBJ WINAPI AccountedGetStockObject(int which) {
    return Failing(Call::kGetStockObject) ? nullptr : g_getStockObject(which);
}

HGDIOBJ WINAPI AccountedSelectObject(HDC dc, HGDIOBJ object) {
    return Failing(Call::kSelectObject) ? nullptr : g_selectObject(dc, object);
}

BOOL WINAPI AccountedDeleteObject(HGDIOBJ object) {
    Ledger& ledger = TheLedger();
    Made* mine = nullptr;
    bool gone = false;
    for (Made& m : ledger.made) {
        if (m.handle != object) continue;
        if (m.deleted || m.deletionFailed)
            gone = true;
        else
            mine = &m;
    }
    if (!mine) {
        Fault(gone ? "DeleteObject of an object already deleted"
                   : "DeleteObject of an object that the draw neither made nor was handed");
    } else {
        // A context lent twice at once is named once, by its latest loan.
        std::vector<HDC> seen;
        for (auto loan = ledger.loans.rbegin(); loan != ledger.loans.rend(); ++loan) {
            if (std::find(seen.begin(), seen.end(), loan->dc) != seen.end()) continue;
            seen.push_back(loan->dc);
            for (UINT slot : kSlots)
                if (GetCurrentObject(loan->dc, slot) == object)
                    Fault("DeleteObject of " + WhatMade(*mine) + " while it is selected into " +
                          WhatLent(loan->from));
        }
    }
    if (Failing(Call::kDeleteObject)) {
        if (mine) mine->deletionFailed = true;
        return FALSE;
    }
    if (mine) mine->deleted = true;
    return g_deleteObject(object);
}

HFONT WINAPI AccountedHostFontGetGdiFont(HostFontBank* bank, uint32_t handle) {
    if (Failing(Call::kHostFontGetGdiFont)) return nullptr;
    HFONT font = g_hostFontGetGdiFont(bank, handle);
    Keep(font, Call::kHostFontGetGdiFont);
    return font;
}

constexpr char kHostRun[] = "HOSTRUN.dll";

// The two ways the host lends a context, each with the partner that takes it
// back, at their ordinals; both pairs have the same types.
template <Call lend, Call giveBack, uint16_t lendAt, uint16_t giveBackAt> struct Loans {
    static inline decltype(&::HostGetSurfaceDC) next;
    static inline decltype(&::HostReleaseSurfaceDC) nextBack;

    static HDC WINAPI Lent(HostSurface* surface) {
        return Failing(lend) ? nullptr : Lend(next(surface), lend);
    }
    static void WINAPI GivenBack(HostSurface* surface, HDC dc) {
        GiveBack(dc, lend, giveBack);
        nextBack(surface, dc);
    }
    static bool Install(HMODULE module) {
        const bool lends = imports::Chain(module, kHostRun, MAKEINTRESOURCEA(lendAt), &Lent, &next);
        return imports::Chain(module, kHostRun, MAKEINTRESOURCEA(giveBackAt), &GivenBack,
                              &nextBack) &&
               lends;
    }
};
using SurfaceLoans =
    Loans<Call::kHostGetSurfaceDC, Call::kHostReleaseSurfaceDC, host_operations::kHostGetSurfaceDC,
          host_operations::kHostReleaseSurfaceDC>;
using DrawingLoans = Loans<Call::kHostBeginGdiDraw, Call::kHostEndGdiDraw,
                           host_operations::kHostBeginGdiDraw, host_operations::kHostEndGdiDraw>;

} // namespace

const char* NameOf(Call call) {
    static const char* const kNames[kCallCount] = {
        "CreatePen",          "GetStockObject",   "SelectObject",         "DeleteObject",
        "HostFontGetGdiFont", "HostGetSurfaceDC", "HostReleaseSurfaceDC", "HostBeginGdiDraw",
        "HostEndGdiDraw",
    };
    return kNames[static_cast<int>(call)];
}

bool Install(HMODULE module) {
    bool all = true;
    all &= imports::Chain(module, "gdi32.dll", "CreatePen", &AccountedCreatePen, &g_createPen);
    all &= imports::Chain(module, "gdi32.dll", "GetStockObject", &AccountedGetStockObject,
                          &g_getStockObject);
    all &= imports::Chain(module, "gdi32.dll", "SelectObject", &AccountedSelectObject,
                          &g_selectObject);
    all &= imports::Chain(module, "gdi32.dll", "DeleteObject", &AccountedDeleteObject,
                          &g_deleteObject);
    all &= imports::Chain(module, kHostRun, MAKEINTRESOURCEA(host_operations::kHostFontGetGdiFont),
                          &AccountedHostFontGetGdiFont, &g_hostFontGetGdiFont);
    all &= SurfaceLoans::Install(module);
    all &= DrawingLoans::Install(module);
    return all;
}

void SetFailing(Call call, bool failing) {
    TheLedger().failing[static_cast<int>(call)] = failing;
}

std::vector<std::string> Settle() {
    Ledger& ledger = TheLedger();
    for (const Loan& loan : ledger.loans)
        Fault(WhatLent(loan.from) + " is not given back");
    for (const Made& m : ledger.made) {
        if (m.deletionFailed) {
            // The module asked; only the failure kept it.
            DeleteObject(m.handle);
        } else if (!m.deleted) {
            Fault(WhatMade(m) + " is not deleted");
        } else if (GetObjectType(m.handle) != 0) {
            Fault(WhatMade(m) + " is deleted but lives on, still selected somewhere");
        }
    }
    ledger.made.clear();
    ledger.loans.clear();
    std::vector<std::string> faults;
    faults.swap(ledger.faults);
    return faults;
}

void Reset() {
    Settle();
    for (bool& failing : TheLedger().failing)
        failing = false;
}

} // namespace gdiaccount

#include "tests/fuzz/drawing_checks.h"

#include "contract/entry_points.h"
#include "tests/fuzz/fuzz_report.h"

namespace fuzz::calls {
namespace {

constexpr size_t kLongestText = 39;

} // namespace

// Windows fonts and pens: made in this call, deleted in it, never while
// selected.
void CheckMadeObject(const CallContext& c, Op op, const std::vector<int64_t>& a, const Owned& o,
                     Tally* t) {
    if (op == Op::kHostFontGetGdiFont) {
        FUZZ_EXPECT(a[0] == o.bank, "HostFontGetGdiFont on a foreign font bank");
        FUZZ_EXPECT(c.fontHandle != 0 && static_cast<uint16_t>(a[1]) == c.fontHandle,
                    "HostFontGetGdiFont for handle %lld, the object holds %u",
                    static_cast<long long>(a[1]), c.fontHandle);
        if (a[2] != 0) t->made.insert(a[2]);
    } else if (op == Op::kCreatePen) {
        if (a[3] != 0) t->made.insert(a[3]);
    } else {
        FUZZ_EXPECT(t->made.count(a[0]), "DeleteObject of 0x%llx, which this draw did not make",
                    static_cast<unsigned long long>(a[0]));
        for (const auto& [h, dc] : t->dcs)
            FUZZ_EXPECT(dc.pen != a[0] && dc.font != a[0],
                        "DeleteObject of 0x%llx while it is selected into context 0x%llx",
                        static_cast<unsigned long long>(a[0]), static_cast<unsigned long long>(h));
        t->made.erase(a[0]);
    }
}

// Device contexts: taken from the host and given back to the partner call,
// with what they held when taken selected again.
void CheckContext(Op op, const char* opName, const std::vector<int64_t>& a, Tally* t) {
    if (op == Op::kHostGetSurfaceDC || op == Op::kHostBeginGdiDraw) {
        // A context the host failed to give is not to be given back either.
        if (a[0] != 0)
            t->dcs[a[0]] = Dc{op == Op::kHostGetSurfaceDC ? DcKind::kMeasuring : DcKind::kDrawing};
        return;
    }
    DcKind want = op == Op::kHostReleaseSurfaceDC ? DcKind::kMeasuring : DcKind::kDrawing;
    auto it = t->dcs.find(a[0]);
    FUZZ_EXPECT(it != t->dcs.end() && it->second.kind == want,
                "%s of context 0x%llx, which did not come from its partner", opName,
                static_cast<unsigned long long>(a[0]));
    const Dc& dc = it->second;
    FUZZ_EXPECT(dc.pen == kOriginalPen && dc.brush == kOriginalBrush && dc.font == kOriginalFont,
                "context given back with pen 0x%llx brush 0x%llx font 0x%llx selected",
                static_cast<unsigned long long>(dc.pen), static_cast<unsigned long long>(dc.brush),
                static_cast<unsigned long long>(dc.font));
    t->dcs.erase(it);
}

// What is selected, measured and drawn into a held context. A selection
// that failed leaves the context as it was.
void CheckContextUse(Op op, const sim::Call& k, Tally* t) {
    const auto& a = k.args;
    auto it = t->dcs.find(a[0]);
    if (op == Op::kSelectObject) {
        FUZZ_EXPECT(it != t->dcs.end(), "SelectObject into context 0x%llx, not held now",
                    static_cast<unsigned long long>(a[0]));
        int64_t h = a[1];
        FUZZ_EXPECT(t->made.count(h) || sim::IsStock(static_cast<uintptr_t>(h)) ||
                        h == kOriginalPen || h == kOriginalBrush || h == kOriginalFont,
                    "SelectObject of 0x%llx, neither made here nor stock nor the original",
                    static_cast<unsigned long long>(h));
        if (k.failed) return;
        switch (sim::SlotOf(static_cast<uintptr_t>(h))) {
        case sim::Slot::kBrush:
            it->second.brush = h;
            break;
        case sim::Slot::kFont:
            it->second.font = h;
            break;
        case sim::Slot::kPen:
            it->second.pen = h;
            break;
        }
    } else if (op == Op::kGetTextExtentPointA) {
        FUZZ_EXPECT(it != t->dcs.end() && it->second.kind == DcKind::kMeasuring,
                    "text measured on context 0x%llx, not the measuring context",
                    static_cast<unsigned long long>(a[0]));
    } else {
        FUZZ_EXPECT(it != t->dcs.end() && it->second.kind == DcKind::kDrawing,
                    "Ellipse on context 0x%llx, not a drawing context",
                    static_cast<unsigned long long>(a[0]));
        // With any brush but the hollow one the circle would paint over the face.
        FUZZ_EXPECT(it->second.brush == static_cast<int64_t>(sim::kNullBrush) &&
                        t->made.count(it->second.pen),
                    "Ellipse drawn with brush 0x%llx and pen 0x%llx selected",
                    static_cast<unsigned long long>(it->second.brush),
                    static_cast<unsigned long long>(it->second.pen));
    }
}

// Drawing on the host's surface: this object's surface, a live font, a text
// that fits and the flags of the contract.
void CheckSurfaceDrawing(Op op, const sim::Call& k, const Owned& o, const Tally& t) {
    const auto& a = k.args;
    if (op != Op::kHostDrawText) {
        FUZZ_EXPECT(a[0] == o.surface, "%s on a foreign surface", k.op.c_str());
        return;
    }
    FUZZ_EXPECT(a[0] == o.surface, "HostDrawText on a foreign surface");
    FUZZ_EXPECT(t.made.count(a[1]), "HostDrawText with font 0x%llx, not live from the host",
                static_cast<unsigned long long>(a[1]));
    FUZZ_EXPECT(k.text.size() <= kLongestText,
                "HostDrawText got %zu characters \"%s\", at most %zu expected", k.text.size(),
                k.text.c_str(), kLongestText);
    FUZZ_EXPECT(a[7] == kDrawTextFlags, "HostDrawText flags 0x%llx, expected 0x25",
                static_cast<unsigned long long>(a[7]));
}

} // namespace fuzz::calls

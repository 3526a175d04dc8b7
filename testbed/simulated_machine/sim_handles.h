// The handles the simulated machine hands out, in one list: what its graphics
// layer and its hosts make, and what the call checks and tests read back.
// The graphics layer tells a pen from a brush or a font by the handle alone.
#pragma once

#include <cstdint>

#include "winapi/windows_api.h"

namespace sim {

// Selected into every fresh device context.
constexpr uintptr_t kOriginalPen = 0x40;
constexpr uintptr_t kOriginalBrush = 0x20;
constexpr uintptr_t kOriginalFont = 0x28;

// GetStockObject(n) answers kStockBase + n, for n below kStockCount.
constexpr uintptr_t kStockBase = 0x100;
constexpr uintptr_t kStockCount = 32;
constexpr uintptr_t kNullBrush = kStockBase + NULL_BRUSH;

// Made handles count up from here, 0x10 apart; a font from the host also
// carries kFontBit.
constexpr uintptr_t kFirstMadeHandle = 0x10000;
constexpr uintptr_t kMadeHandleStep = 0x10;
constexpr uintptr_t kFontBit = 0x8;

// The hosts' surface and font bank.
constexpr uintptr_t kSurfaceHandle = 0x5000;
constexpr uintptr_t kFontBankHandle = 0x6000;

constexpr bool IsStock(uintptr_t h) {
    return h >= kStockBase && h < kStockBase + kStockCount;
}

enum class Slot { kPen, kBrush, kFont };

// Where SelectObject puts a handle: the null brush and the original brush in
// the brush slot, anything with the font bit in the font slot, the rest is a
// pen.
constexpr Slot SlotOf(uintptr_t h) {
    if (h == kNullBrush || h == kOriginalBrush) return Slot::kBrush;
    if (h & kFontBit) return Slot::kFont;
    return Slot::kPen;
}

} // namespace sim

// The font bank: each registered FontRequest becomes a Windows font the bank
// owns until HostFontDelete. Handles start at 1 and are not handed out again
// while unused ones remain, so a stale handle finds nothing instead of
// another object's font.
#include "host/hostrun/hostrun_host.h"

#include <cstring>
#include <new>
#include <vector>

struct FontSlot {
    HFONT font; // null: free slot
    LOGFONTA description;
};

struct HostFontBank {
    std::vector<FontSlot> slots; // handle = index + 1
};

namespace {

constexpr size_t kMaxHandles = 0xFFFF;

LOGFONTA DescriptionOf(const FontRequest& request) {
    const FontDescription& font = request.font;
    LOGFONTA lf = {};
    lf.lfHeight = font.height;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = font.charSet;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = NONANTIALIASED_QUALITY; // pixels that tests can compare
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    // The stored face name need not be terminated within its slot.
    static_assert(sizeof lf.lfFaceName == sizeof font.faceName);
    std::memcpy(lf.lfFaceName, font.faceName, sizeof lf.lfFaceName - 1);
    lf.lfFaceName[sizeof lf.lfFaceName - 1] = '\0';
    // The style text can only strengthen the description.
    char style[sizeof request.style + 1] = {};
    std::memcpy(style, request.style, sizeof request.style);
    if (std::strstr(style, "Bold") && lf.lfWeight < FW_BOLD) lf.lfWeight = FW_BOLD;
    if (std::strstr(style, "Italic")) lf.lfItalic = 1;
    return lf;
}

FontSlot* SlotOf(HostFontBank* bank, uint32_t handle) {
    if (!bank || handle == 0 || handle > bank->slots.size()) return nullptr;
    FontSlot& slot = bank->slots[handle - 1];
    return slot.font ? &slot : nullptr;
}

} // namespace

extern "C" {

HostFontBank* WINAPI HrFontBankCreate(void) {
    return new (std::nothrow) HostFontBank;
}

void WINAPI HrFontBankDestroy(HostFontBank* bank) {
    if (!bank) return;
    for (FontSlot& slot : bank->slots)
        if (slot.font) DeleteObject(slot.font);
    delete bank;
}

int32_t WINAPI HrFontBankLiveCount(HostFontBank* bank) {
    if (!bank) return 0;
    int32_t live = 0;
    for (const FontSlot& slot : bank->slots)
        if (slot.font) ++live;
    return live;
}

BOOL WINAPI HrFontBankDescription(HostFontBank* bank, uint32_t handle, LOGFONTA* description) {
    FontSlot* slot = SlotOf(bank, handle);
    if (!slot) return FALSE;
    if (description) *description = slot->description;
    return TRUE;
}

uint16_t WINAPI HostFontCreate(HostFontBank* bank, uint32_t kind, FontRequest* request, int32_t,
                               int32_t) {
    if (!bank || !request || kind != kFontKind) return 0;
    const LOGFONTA description = DescriptionOf(*request);
    HFONT font = CreateFontIndirectA(&description);
    if (!font) return 0;
    size_t index = bank->slots.size();
    if (index >= kMaxHandles) {
        for (index = 0; index < bank->slots.size() && bank->slots[index].font; ++index) {
        }
        if (index == bank->slots.size()) {
            DeleteObject(font);
            return 0;
        }
        bank->slots[index] = FontSlot{font, description};
    } else {
        try {
            bank->slots.push_back(FontSlot{font, description});
        } catch (const std::bad_alloc&) {
            DeleteObject(font);
            return 0;
        }
    }
    return static_cast<uint16_t>(index + 1);
}

void WINAPI HostFontDelete(HostFontBank* bank, uint32_t handle) {
    FontSlot* slot = SlotOf(bank, handle);
    if (!slot) return;
    DeleteObject(slot->font);
    slot->font = nullptr;
}

HFONT WINAPI HostFontGetGdiFont(HostFontBank* bank, uint32_t handle) {
    FontSlot* slot = SlotOf(bank, handle);
    return slot ? CreateFontIndirectA(&slot->description) : nullptr;
}

} // extern "C"

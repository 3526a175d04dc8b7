#include "host/chronyx_host/labels.h"

void DrawLabels(HostSurface* surface, const std::vector<Label>& labels) {
    if (labels.empty()) return;
    HDC dc = HostBeginGdiDraw(surface);
    int mode = SetBkMode(dc, TRANSPARENT);
    for (const Label& label : labels) {
        HFONT font = CreateFontA(-label.size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma");
        HGDIOBJ previous = SelectObject(dc, font);
        SetTextColor(dc, label.color);
        RECT box = {label.x, label.y, label.x + label.width, label.y + label.height};
        DrawTextA(dc, label.text.c_str(), static_cast<int>(label.text.size()), &box,
                  DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    SetBkMode(dc, mode);
    HostEndGdiDraw(surface, dc);
}

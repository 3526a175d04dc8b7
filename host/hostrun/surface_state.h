// What stands behind a HostSurface in the reference HOSTRUN.dll: a 32-bit
// top-down DIB section selected into a memory device context. Shared by the
// files of this library only.
#pragma once

#include <cstdint>

#include <windows.h>

struct HostSurface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ originalBitmap;
    uint32_t* bits; // 0x00RRGGBB, top row first
    int32_t width;
    int32_t height;
    HPEN pen; // set by HostSetPen; null until then
    int32_t outstandingDCs;
    bool changed;
    RECT changedArea;
};

// The surface: its bitmap and the device contexts it lends. Every context
// handed out is the surface's own memory DC (a DIB section can be selected
// into one DC only); the count of loans lets tests see one not given back.
#include "host/hostrun/hostrun_host.h"
#include "host/hostrun/surface_state.h"

#include <new>

extern "C" {

HostSurface* WINAPI HrSurfaceCreate(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    HostSurface* surface = new (std::nothrow) HostSurface{};
    if (!surface) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // negative: top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    surface->dc = CreateCompatibleDC(nullptr);
    surface->bitmap = CreateDIBSection(surface->dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!surface->dc || !surface->bitmap) {
        if (surface->bitmap) DeleteObject(surface->bitmap);
        if (surface->dc) DeleteDC(surface->dc);
        delete surface;
        return nullptr;
    }
    surface->bits = static_cast<uint32_t*>(bits);
    surface->width = width;
    surface->height = height;
    surface->originalBitmap = SelectObject(surface->dc, surface->bitmap);
    HrSurfaceFill(surface, RGB(0, 0, 0));
    return surface;
}

void WINAPI HrSurfaceDestroy(HostSurface* surface) {
    if (!surface) return;
    SelectObject(surface->dc, surface->originalBitmap);
    if (surface->pen) DeleteObject(surface->pen);
    DeleteObject(surface->bitmap);
    DeleteDC(surface->dc);
    delete surface;
}

void WINAPI HrSurfaceFill(HostSurface* surface, COLORREF colour) {
    if (!surface) return;
    GdiFlush();
    // COLORREF is 0x00BBGGRR; the DIB's pixels are 0x00RRGGBB.
    const uint32_t pixel = (static_cast<uint32_t>(GetRValue(colour)) << 16) |
                           (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
    const int64_t count = static_cast<int64_t>(surface->width) * surface->height;
    for (int64_t i = 0; i < count; ++i)
        surface->bits[i] = pixel;
}

const uint32_t* WINAPI HrSurfacePixels(HostSurface* surface, int32_t* width, int32_t* height) {
    if (!surface) return nullptr;
    GdiFlush(); // batched GDI drawing must reach the bits first
    if (width) *width = surface->width;
    if (height) *height = surface->height;
    return surface->bits;
}

int32_t WINAPI HrOutstandingDCs(HostSurface* surface) {
    return surface ? surface->outstandingDCs : 0;
}

HDC WINAPI HostGetSurfaceDC(HostSurface* surface) {
    if (!surface) return nullptr;
    ++surface->outstandingDCs;
    return surface->dc;
}

// A context that is not the one lent is not counted as given back.
void WINAPI HostReleaseSurfaceDC(HostSurface* surface, HDC dc) {
    if (surface && dc == surface->dc && surface->outstandingDCs > 0) --surface->outstandingDCs;
}

HDC WINAPI HostBeginGdiDraw(HostSurface* surface) {
    return HostGetSurfaceDC(surface);
}

void WINAPI HostEndGdiDraw(HostSurface* surface, HDC dc) {
    GdiFlush();
    HostReleaseSurfaceDC(surface, dc);
}

} // extern "C"

// The host-side face of the reference HOSTRUN.dll: what a host (the reference
// host, the Wine tests) uses to make the surface and the font bank that it
// puts in the run header, and to look at the result. The module never calls
// these; it sees only the twelve operations of contract/host_services.h.
#pragma once

#include <cstdint>

#include "contract/host_services.h"

extern "C" {
// A 32-bit top-down DIB section with a memory device context behind it.
CHX_HOSTRUN_API HostSurface* WINAPI HrSurfaceCreate(int32_t width, int32_t height);
CHX_HOSTRUN_API void WINAPI HrSurfaceDestroy(HostSurface* surface);
CHX_HOSTRUN_API void WINAPI HrSurfaceFill(HostSurface* surface, COLORREF colour);
// Pixels as 0x00RRGGBB, row after row from the top; valid until the next
// drawing call. Width and height are written when not null.
CHX_HOSTRUN_API const uint32_t* WINAPI HrSurfacePixels(HostSurface* surface, int32_t* width,
                                                       int32_t* height);
// Device contexts lent by HostGetSurfaceDC or HostBeginGdiDraw and not given back.
CHX_HOSTRUN_API int32_t WINAPI HrOutstandingDCs(HostSurface* surface);
// The union of the rectangles passed to HostMarkChanged since the last clear;
// FALSE when there were none.
CHX_HOSTRUN_API BOOL WINAPI HrChangedArea(HostSurface* surface, RECT* area);
CHX_HOSTRUN_API void WINAPI HrClearChangedArea(HostSurface* surface);

// Font bank: turns FontRequests into fonts it owns, handles from 1.
CHX_HOSTRUN_API HostFontBank* WINAPI HrFontBankCreate(void);
CHX_HOSTRUN_API void WINAPI HrFontBankDestroy(HostFontBank* bank);
CHX_HOSTRUN_API int32_t WINAPI HrFontBankLiveCount(HostFontBank* bank);
// The Windows description the bank made of a live handle's request (the style
// text applied); FALSE for a handle that is not live.
CHX_HOSTRUN_API BOOL WINAPI HrFontBankDescription(HostFontBank* bank, uint32_t handle,
                                                  LOGFONTA* description);
}

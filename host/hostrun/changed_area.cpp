// The area the module says it drew on since the host last looked.
#include "host/hostrun/hostrun_host.h"
#include "host/hostrun/surface_state.h"

extern "C" {

void WINAPI HostMarkChanged(HostSurface* surface, const RECT* rect) {
    if (!surface || !rect) return;
    if (!surface->changed) {
        surface->changedArea = *rect;
        surface->changed = true;
        return;
    }
    RECT& area = surface->changedArea;
    if (rect->left < area.left) area.left = rect->left;
    if (rect->top < area.top) area.top = rect->top;
    if (rect->right > area.right) area.right = rect->right;
    if (rect->bottom > area.bottom) area.bottom = rect->bottom;
}

BOOL WINAPI HrChangedArea(HostSurface* surface, RECT* area) {
    if (!surface || !surface->changed) return FALSE;
    if (area) *area = surface->changedArea;
    return TRUE;
}

void WINAPI HrClearChangedArea(HostSurface* surface) {
    if (surface) surface->changed = false;
}

} // extern "C"

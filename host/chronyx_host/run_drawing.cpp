#include "host/chronyx_host/run_drawing.h"

#include "host/chronyx_host/run_log.h"
#include "host/hostrun/hostrun_host.h"

namespace {

RECT ObjectRect(const HostRun& run, const HostObject& object) {
    const ObjectHeader& h = *ObjectHeaderOf(object.run);
    RECT r;
    r.left = h.x - run.header.displayOriginX;
    r.top = h.y - run.header.displayOriginY;
    r.right = r.left + h.width;
    r.bottom = r.top + h.height;
    return r;
}

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

void PaintBackground(HostRun* run, const RECT& area) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    HDC dc = HostBeginGdiDraw(run->surface);
    HBRUSH brush = CreateSolidBrush(run->scenario->background);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    HostEndGdiDraw(run->surface, dc);
}

// Every object that asked is drawn again over a fresh background; an object
// whose pixels that background covers is drawn again with it.
void DrawObjects(HostRun* run) {
    std::vector<RECT> cleared;
    bool any = false;
    for (HostObject& object : run->objects) {
        if (!object.alive || !object.wantsDraw) continue;
        any = true;
        cleared.push_back(ObjectRect(*run, object));
        if (object.drawn) cleared.push_back(object.lastRect);
    }
    if (!any) return;
    for (bool grew = true; grew;) {
        grew = false;
        for (HostObject& object : run->objects) {
            if (!object.alive || object.wantsDraw || !object.drawn) continue;
            for (size_t i = 0; i < cleared.size() && !object.wantsDraw; ++i) {
                if (!Overlap(object.lastRect, cleared[i])) continue;
                object.wantsDraw = true;
                cleared.push_back(object.lastRect);
                cleared.push_back(ObjectRect(*run, object));
                grew = true;
            }
        }
    }
    for (const RECT& area : cleared)
        PaintBackground(run, area);
    for (size_t i = 0; i < run->objects.size(); ++i) {
        HostObject& object = run->objects[i];
        if (!object.alive || !object.wantsDraw) continue;
        object.wantsDraw = false;
        run->context = static_cast<int32_t>(i);
        Log(run, run->context, "display");
        run->module->DisplayRunObject(object.run);
        run->context = -1;
        object.drawn = true;
        object.lastRect = ObjectRect(*run, object);
        SettleGraphics(run, static_cast<int32_t>(i));
    }
}

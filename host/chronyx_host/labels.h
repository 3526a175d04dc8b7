// Captions that the host writes on the frame before any object draws, so
// that a picture can say what made each clock in it. They are the host's,
// not the module's: put them where no object draws, since an object's
// background is repainted plain when it is drawn again.
#pragma once

#include <vector>

#include "host/chronyx_host/scenario.h"
#include "host/hostrun/hostrun_host.h"

void DrawLabels(HostSurface* surface, const std::vector<Label>& labels);

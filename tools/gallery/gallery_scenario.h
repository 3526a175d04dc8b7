// A topic of the gallery as a scenario of the reference host: its tiles in a
// grid, each clock with its label below it, drawn in one frame and written
// to <file>.png.
#pragma once

#include <nlohmann/json.hpp>

#include "tools/gallery/gallery_topics.h"

nlohmann::json GalleryScenario(const GalleryTopic& topic);

#include "tools/gallery/gallery_scenario.h"

#include <algorithm>

namespace {

constexpr int kMargin = 10;
constexpr int kGap = 16;         // between tiles
constexpr int kLabelHeight = 58; // four lines of 11-pixel text and some air
constexpr int kLabelSize = 11;

} // namespace

nlohmann::json GalleryScenario(const GalleryTopic& topic) {
    using nlohmann::json;
    int count = static_cast<int>(topic.tiles.size());
    int columns = std::min(topic.columns, count);
    int rows = (count + columns - 1) / columns;
    int cellWidth = std::max(topic.tileWidth, 160) + kGap;
    int cellHeight = topic.tileHeight + 6 + kLabelHeight + kGap;
    json objects = json::array(), labels = json::array(), timeline = json::array();
    for (int i = 0; i < count; ++i) {
        const GalleryTile& tile = topic.tiles[i];
        int left = kMargin + (i % columns) * cellWidth;
        int top = kMargin + (i / columns) * cellHeight;
        json object = {{"name", tile.name}};
        object.update(tile.object);
        object["x"] = left + (cellWidth - kGap - topic.tileWidth) / 2;
        object["y"] = top;
        object["width"] = topic.tileWidth;
        object["height"] = topic.tileHeight;
        objects.push_back(object);
        labels.push_back({{"text", TileLabel(tile)},
                          {"x", left},
                          {"y", top + topic.tileHeight + 6},
                          {"width", cellWidth - kGap},
                          {"height", kLabelHeight},
                          {"size", kLabelSize},
                          {"color", "#555555"}});
        for (json step : tile.steps) {
            step["frame"] = 0;
            step["object"] = tile.name;
            timeline.push_back(step);
        }
    }
    for (json step : topic.steps) {
        step["frame"] = 0;
        timeline.push_back(step);
    }
    timeline.push_back({{"frame", 0}, {"snapshot", topic.file + ".png"}});
    json scenario = {{"description", topic.title + ": made by ./chronyx gallery, do not edit"},
                     {"frame",
                      {{"width", 2 * kMargin + columns * cellWidth - kGap},
                       {"height", 2 * kMargin + rows * cellHeight - kGap},
                       {"background", "#f4f1e8"}}},
                     {"frames", 1},
                     {"start", topic.start}};
    if (!topic.intl.empty()) scenario["intl"] = topic.intl;
    scenario["labels"] = labels;
    scenario["objects"] = objects;
    scenario["timeline"] = timeline;
    return scenario;
}

// What the gallery shows: for each topic a grid of clocks, each tile one
// object whose settings differ from its neighbours' in what the topic is
// about, and the moment and "Intl" values the topic is drawn with.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

struct GalleryTile {
    std::string name;                                             // the object's name
    std::vector<std::pair<std::string, nlohmann::json>> settings; // "analog.marks": false
    nlohmann::json object;             // every setting, settings included
    std::vector<nlohmann::json> steps; // at frame 0, before the drawing
    std::string note = {};             // a last line for its label
};

struct GalleryTopic {
    std::string file; // docs/gallery/<file>.png, scenarios/<file>.json
    std::string title;
    std::string text; // for gallery.md
    int columns = 4;
    int tileWidth = 0, tileHeight = 0; // the clock; its label goes below
    std::string start;
    nlohmann::json intl = nlohmann::json::object();
    std::vector<GalleryTile> tiles = {};
    std::vector<nlohmann::json> steps = {}; // after the tiles' own
};

std::vector<GalleryTopic> GalleryTopics();

// The label of a tile: its settings, one "key: value" each.
std::string TileLabel(const GalleryTile& tile);

// The gallery's scenarios, drawn by the real CHRONYX.dll: every tile draws
// something (but those made to show that a setting draws nothing), no two
// tiles of a picture look the same, and together they cover every display
// type, digital layout in every mode, analog face and built-in pattern.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "host/chronyx_host/host_run.h"
#include "host/chronyx_host/module_binding.h"
#include "host/hostrun/hostrun_host.h"

namespace {

const std::string kScenarios = CHX_SOURCE_DIR "/docs/gallery/scenarios/";

// Settings that draw nothing, shown so that a reader sees that they do.
const std::set<std::string> kBlankByDesign = {"display-invisible", "display-7", "layout-4",
                                              "format-3", "pattern-9"};

std::vector<std::string> ScenarioFiles() {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((kScenarios + "*.json").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do
        files.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

std::string ReadText(const std::string& path) {
    std::string text;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof(buffer), file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

struct Tile {
    std::string name;
    std::vector<uint32_t> pixels; // the object's rectangle
    bool blank;
};

// Each object's rectangle of the surface, and whether it shows only the
// background.
std::vector<Tile> TilesOf(const HostRun& run, const Scenario& scenario) {
    int32_t width = 0, height = 0;
    const uint32_t* surface = HrSurfacePixels(run.surface, &width, &height);
    // The background as the surface holds it: 0x00RRGGBB.
    uint32_t colour = scenario.background;
    uint32_t background = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    std::vector<Tile> tiles;
    for (const ScenarioObject& object : scenario.objects) {
        const EditData& edit = object.edit;
        Tile tile{object.name, {}, true};
        for (int y = object.y; y < object.y + edit.height; ++y)
            for (int x = object.x; x < object.x + edit.width; ++x) {
                tile.pixels.push_back(surface[y * width + x]);
                if (tile.pixels.back() != background) tile.blank = false;
            }
        tiles.push_back(tile);
    }
    return tiles;
}

void ExpectDistinct(const std::vector<Tile>& tiles) {
    for (size_t a = 0; a < tiles.size(); ++a)
        for (size_t b = a + 1; b < tiles.size(); ++b)
            if (!tiles[a].blank && !tiles[b].blank) {
                EXPECT_NE(tiles[a].pixels, tiles[b].pixels)
                    << tiles[a].name << " and " << tiles[b].name << " look the same";
            }
}

// What the gallery's objects show between them.
struct Coverage {
    std::set<int> displays, patterns;
    std::set<std::pair<int, int>> digital;     // layout, mode
    std::set<std::tuple<int, int, int>> faces; // numerals, marks, border
    std::set<std::string> blanks;

    void Add(const ObjectSettings& settings) {
        displays.insert(settings.displayType);
        if (settings.displayType == 1) digital.insert({settings.digitalFormat, settings.clockMode});
        if (settings.displayType == 3 && settings.calendarFormat == 2)
            patterns.insert(settings.calendarPattern);
        if (settings.displayType == 0)
            faces.insert({settings.analogNumerals, settings.analogMarks, settings.border});
    }

    void ExpectComplete() const {
        EXPECT_EQ(blanks, kBlankByDesign);
        for (int display : {0, 1, 2, 3})
            EXPECT_TRUE(displays.count(display)) << "display type " << display;
        for (int layout = 0; layout < 4; ++layout)
            for (int mode = 0; mode < 3; ++mode)
                EXPECT_TRUE(digital.count({layout, mode}))
                    << "layout " << layout << ", mode " << mode;
        for (int pattern = 0; pattern < 7; ++pattern)
            EXPECT_TRUE(patterns.count(pattern)) << "pattern " << pattern;
        for (int numerals = 0; numerals < 3; ++numerals)
            for (int marks = 0; marks < 2; ++marks)
                for (int border = 0; border < 2; ++border)
                    EXPECT_TRUE(faces.count({numerals, marks, border}))
                        << "numerals " << numerals << ", marks " << marks << ", border " << border;
    }
};

TEST(Gallery, EveryTileIsDrawnAndDiffersFromTheOthersOfItsPicture) {
    ModuleBinding module;
    BindError refusal;
    ASSERT_TRUE(BindModule(ModuleBesideThisProgram(), &module, &refusal)) << refusal.message;
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string out = std::string(temp) + "chronyx-gallery-test";
    FILE* sink = std::fopen("NUL", "wb");
    std::vector<std::string> files = ScenarioFiles();
    ASSERT_GE(files.size(), 6u) << "no gallery in " << kScenarios;

    Coverage coverage;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        Scenario scenario;
        ScenarioError problem;
        ASSERT_TRUE(ParseScenario(ReadText(kScenarios + file), &scenario, &problem))
            << problem.where << ": " << problem.message;
        RunOptions options;
        options.logStream = sink;
        options.outDir = out;
        HostRun run;
        std::string error;
        ASSERT_TRUE(StartRun(&run, scenario, module, options, &error)) << error;
        for (int32_t frame = 0; frame < scenario.frames; ++frame)
            ASSERT_TRUE(RunFrame(&run)) << run.failure;
        const std::vector<Tile> tiles = TilesOf(run, scenario);
        for (const Tile& tile : tiles) {
            EXPECT_EQ(tile.blank, kBlankByDesign.count(tile.name) != 0)
                << tile.name << (tile.blank ? " draws nothing" : " draws something");
            if (tile.blank) coverage.blanks.insert(tile.name);
        }
        for (const ScenarioObject& object : scenario.objects)
            coverage.Add(object.edit.settings);
        ExpectDistinct(tiles);
        FinishRun(&run);
        EXPECT_EQ(0, run.faults) << "the module broke the host contract: " << run.firstFault;
        DeleteFileA((out + "\\" + file.substr(0, file.size() - 5) + ".png").c_str());
    }
    RemoveDirectoryA(out.c_str());
    std::fclose(sink);
    ReleaseModule(&module);
    coverage.ExpectComplete();
}

} // namespace

// What the host writes: log lines in both formats, and PNG snapshots that
// decode back to the surface's pixels and never appear half-written.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include "host/chronyx_host/event_log.h"
#include "host/chronyx_host/png_output.h"

namespace {

const ClockMoment kTime = {2026, 3, 5, 10, 15, 0, 420};

TEST(LogLines, TextColumnsAndJsonFieldsCarryTheSameValues) {
    struct Case {
        LogEntry entry;
        const char* text;
        const char* json;
    };
    LogEntry condition{23, kTime, "clock", "condition", "OnEachMinute"};
    condition.hasNumber = true;
    condition.number = 1;
    LogEntry action{7, kTime, "a-long-object-name", "action", "SetPosition"};
    action.hasNumber = true;
    action.number = -65486;
    LogEntry display{0, kTime, "clock", "display", ""};
    LogEntry clock{100, kTime, "-", "clock", "SetLocalTime"};
    clock.text = "2026-04-31 23:00:00.440 refused";
    const Case cases[] = {
        {condition,
         "    23  2026-03-05 10:15:00.420  clock       condition   OnEachMinute        1",
         R"({"frame":23,"time":"2026-03-05 10:15:00.420","object":"clock","what":"condition","name":"OnEachMinute","value":1})"},
        {action,
         "     7  2026-03-05 10:15:00.420  a-long-object-name  action      SetPosition         "
         "-65486",
         R"({"frame":7,"time":"2026-03-05 10:15:00.420","object":"a-long-object-name","what":"action","name":"SetPosition","value":-65486})"},
        {display, "     0  2026-03-05 10:15:00.420  clock       display",
         R"({"frame":0,"time":"2026-03-05 10:15:00.420","object":"clock","what":"display"})"},
        {clock,
         "   100  2026-03-05 10:15:00.420  -           clock       SetLocalTime        2026-04-31 "
         "23:00:00.440 refused",
         R"({"frame":100,"time":"2026-03-05 10:15:00.420","object":"-","what":"clock","name":"SetLocalTime","value":"2026-04-31 23:00:00.440 refused"})"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLogEntry(c.entry, LogFormat::Text), c.text);
        EXPECT_EQ(FormatLogEntry(c.entry, LogFormat::Json), c.json);
    }
}

std::string TempFolder(const char* name) {
    char base[MAX_PATH];
    GetTempPathA(sizeof(base), base);
    std::string folder =
        std::string(base) + "chx_host_test_" + std::to_string(GetCurrentProcessId()) + "_" + name;
    return folder;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void RemoveFolder(const std::string& folder) {
    for (const std::string& name : FilesIn(folder))
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(PngSnapshots, DecodeBackToTheSurfacePixels) {
    // Channels that differ everywhere catch a swapped red and blue.
    const uint32_t pixels[] = {0x00102030, 0x00FF0000, 0x0000FF00,
                               0x000000FF, 0x00FFFFFF, 0x00000000};
    std::vector<uint8_t> png = EncodePng(pixels, 3, 2);
    int width = 0, height = 0, channels = 0;
    uint8_t* decoded = stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width,
                                             &height, &channels, 3);
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 2);
    for (int i = 0; i < 6; ++i) {
        uint32_t rgb = decoded[i * 3] << 16 | decoded[i * 3 + 1] << 8 | decoded[i * 3 + 2];
        EXPECT_EQ(rgb, pixels[i]) << "pixel " << i;
    }
    stbi_image_free(decoded);
}

TEST(PngSnapshots, AreRenamedIntoPlaceLeavingNoTemporaryFile) {
    std::string folder = TempFolder("atomic");
    std::string path = folder + "\\deeper\\picture.png";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, {1, 2, 3}, &error)) << error;
    ASSERT_TRUE(WriteFileAtomically(path, {4, 5}, &error)) << error;
    std::vector<std::string> names = FilesIn(folder + "\\deeper");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "picture.png");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(file, nullptr), 2u) << "the second write replaced the first";
    CloseHandle(file);
    RemoveFolder(folder + "\\deeper");
    RemoveFolder(folder);
}

TEST(PngSnapshots, AFailedWriteLeavesNothingBehind) {
    std::string folder = TempFolder("blocked");
    CreateDirectoryA(folder.c_str(), nullptr);
    // A file where the snapshot's folder should be.
    std::string blocker = folder + "\\taken";
    HANDLE file =
        CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(blocker + "\\picture.png", {1, 2, 3}, &error));
    EXPECT_FALSE(error.empty());
    std::vector<std::string> names = FilesIn(folder);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "taken");
    RemoveFolder(folder);
}

} // namespace

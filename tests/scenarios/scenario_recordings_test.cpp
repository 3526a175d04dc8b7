// Recordings of a scenario: the frames taken at the recording's rate, and the
// command line's recording checked as the timeline's step is.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/chronyx_host/frame_recorder.h"
#include "host/chronyx_host/scenario.h"

namespace {

TEST(ScenarioRecordings, AreTakenAtTheirRateAndLastAsLongAsTheRunsOwnTime) {
    struct Case {
        int32_t scenarioFps, from, to, fps;
        // The scenario frames taken, and how long each shows: until the time
        // of the next one, so a rate that does not divide the scenario's
        // shows its frames unevenly but in step with the run.
        std::vector<int32_t> frames, delays;
    };
    const Case cases[] = {
        {25, 0, 4, 25, {0, 1, 2, 3, 4}, {4, 4, 4, 4, 4}},
        {30, 0, 5, 30, {0, 1, 2, 3, 4, 5}, {3, 4, 3, 3, 4, 3}},
        {50, 10, 19, 20, {10, 12, 15, 17}, {4, 6, 4, 6}},
        {50, 3, 3, 50, {3}, {2}},
        {1000,
         0,
         199,
         50,
         {0, 20, 40, 60, 80, 100, 120, 140, 160, 180},
         std::vector<int32_t>(10, 2)},
        {7, 0, 6, 3, {0, 2, 4}, {29, 28, 43}},
    };
    for (const Case& c : cases) {
        Scenario scenario;
        ScenarioError error;
        std::string json = R"({"fps": )" + std::to_string(c.scenarioFps) + R"(, "frames": )" +
                           std::to_string(c.to + 1) +
                           R"(, "objects": [{"name": "o", "display": "digital"}]})";
        ASSERT_TRUE(ParseScenario(json, &scenario, &error)) << error.message;
        ASSERT_TRUE(AddRecording(&scenario, c.from, c.to, "a.gif", c.fps, "--record", &error))
            << error.message;
        const Step& record = scenario.timeline.back();
        std::vector<int32_t> frames, delays;
        for (int32_t i = 0; RecordedFrame(record, c.scenarioFps, i) <= c.to; ++i) {
            frames.push_back(RecordedFrame(record, c.scenarioFps, i));
            delays.push_back(RecordedDelay(record, c.scenarioFps, i));
        }
        EXPECT_EQ(frames, c.frames) << c.scenarioFps << " fps at " << c.fps;
        EXPECT_EQ(delays, c.delays) << c.scenarioFps << " fps at " << c.fps;
    }
}

TEST(ScenarioRecordings, TheCommandLineOptionIsCheckedLikeTheStep) {
    struct Case {
        int64_t from, to, fps;
        const char* name;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {0, 9, 0, "a.gif", nullptr},
        {2, 2, 10, "sub/a.gif", nullptr},
        {10, 12, 0, "a.gif", "10 is out of range (0 to 9)"},
        {5, 4, 0, "a.gif", "4 is out of range (5 to 9)"},
        {0, 9, 51, "a.gif", "51 is out of range (1 to 50)"},
        {0, 9, 0, "a.GIF", "ending in .gif"},
        {0, 9, 0, "C:\\a.gif", "relative name"},
        {0, 9, 0, "taken.gif", "recorded twice"},
    };
    for (const Case& c : cases) {
        Scenario scenario;
        ScenarioError error;
        ASSERT_TRUE(ParseScenario(
            R"({"frames": 10, "objects": [{"name": "o", "display": "digital"}],
            "timeline": [{"frame": 0, "record": "taken.gif", "to": 1}, {"frame": 4, "pause": true}]})",
            &scenario, &error))
            << error.message;
        bool added = AddRecording(&scenario, c.from, c.to, c.name, c.fps, "--record", &error);
        EXPECT_EQ(added, c.message == nullptr) << c.name << ": " << error.message;
        if (!c.message) {
            // In frame order, after the steps of its own frame.
            ASSERT_EQ(scenario.timeline.size(), 3u);
            EXPECT_EQ(scenario.timeline[c.from < 4 ? 1 : 2].kind, StepKind::Record);
            continue;
        }
        EXPECT_EQ(error.where, "--record");
        EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
    }
}

} // namespace

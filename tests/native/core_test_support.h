// A Clock object as the host holds it: zero-filled run data with guard bytes
// on both sides, wired to the recording host over a freshly reset machine.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "contract/entry_points.h"
#include "fixtures/edit_data_builder.h"
#include "tests/native/run_data_test_support.h"

namespace coretest {

constexpr uint8_t kGuard = 0xA5;
constexpr size_t kGuardSize = 16;

#pragma pack(push, 1)
struct GuardedRun {
    uint8_t before[kGuardSize];
    RunData run;
    uint8_t after[kGuardSize];
};
#pragma pack(pop)

// One push as the host saw it, with the fields the conditions will read.
struct Push {
    int32_t code;
    int16_t triggerEventCount;
    int32_t eventCount;
    int16_t lastSecond, lastMinute, lastHour, lastDay, lastMonth, lastYear;
};

class CoreTest : public RunDataTest {
  protected:
    // The record between guard bytes rather than on the heap: they show a
    // write past either end without a sanitizer.
    void SetUp() override {
        std::memset(guarded_.before, kGuard, kGuardSize);
        std::memset(guarded_.after, kGuard, kGuardSize);
        Prepare(&guarded_.run);
        edit = Settings(kDisplayDigital);
        creation = {};
        creation.x = 30;
        creation.y = 40;
    }

    void TearDown() override {
        CheckGuards();
        pushes_ = nullptr;
    }

    // For table rows: checks the previous row's guards, then starts afresh.
    void Restart() {
        CheckGuards();
        SetUp();
    }

    void CheckGuards() {
        for (size_t i = 0; i < kGuardSize; ++i) {
            EXPECT_EQ(kGuard, guarded_.before[i]) << "guard byte " << i << " before the run data";
            EXPECT_EQ(kGuard, guarded_.after[i]) << "guard byte " << i << " after the run data";
        }
    }

    static EditData Settings(int16_t displayType) {
        return fixture::EditDataBuilder(120, 48, displayType);
    }

    int16_t Create() { return CreateRunObject(run, &edit, &creation); }

    // Results of n calls of HandleRunObject, the clock moved before each.
    std::vector<int16_t> Frames(int n, int64_t msPerFrame = 0) {
        std::vector<int16_t> results;
        for (int i = 0; i < n; ++i) {
            if (msPerFrame) sim::AdvanceClock(msPerFrame);
            results.push_back(HandleRunObject(run));
        }
        return results;
    }

    // Calls HandleRunObject until the next call is a sampling one, without
    // moving the clock; the next Frames(1) then samples.
    void UpToSample() {
        while (run->frameCounter != 11)
            HandleRunObject(run);
    }

    static std::vector<int64_t> PushedCodes() {
        std::vector<int64_t> codes;
        for (const sim::Call& c : sim::CallsNamed("HostPushEvent"))
            codes.push_back(c.args[1]);
        return codes;
    }

    // Replaces the host's event callback with one that records each push and
    // moves eventCount on, as the host's event loop would, so that a stale
    // triggerEventCount shows.
    void WatchPushes(std::vector<Push>* pushes) {
        pushes_ = pushes;
        sim::TheRunHeader()->HostPushEvent = &CoreTest::RecordPush;
    }

    EditData edit;
    CreationRecord creation;

  private:
    static int32_t WINAPI RecordPush(void* object, int32_t code, int32_t) {
        const RunData* r = static_cast<const RunData*>(object);
        RunHeader* rh = RunHeaderOf(r);
        pushes_->push_back({code, r->triggerEventCount, rh->eventCount, r->lastSecond,
                            r->lastMinute, r->lastHour, r->lastDay, r->lastMonth, r->lastYear});
        rh->eventCount += 0x10001;
        return 0;
    }

    static inline std::vector<Push>* pushes_ = nullptr;
    GuardedRun guarded_;
};

} // namespace coretest

// A run data record set up by hand for the event routines: zero-filled, wired
// to the recording host, with the simulated machine freshly reset.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/time_count.h"
#include "fixtures/run_object.h"
#include "simulated_machine/sim_machine.h"

class EventsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::Reset();
        data_ = std::make_unique<RunData>();
        run = data_.get();
        fixture::PrepareRunData(run, kRunDataSize, sim::TheRunHeader());
    }

    // Puts the shared timer in the running state, started this many
    // hundredths before now.
    void StartedAgo(int32_t hundredths) { run->chronoStart = CurrentTimeCount() - hundredths; }

    static int64_t Address(const void* p) {
        return static_cast<int64_t>(reinterpret_cast<uintptr_t>(p));
    }

    static std::vector<std::string> Ops() {
        std::vector<std::string> ops;
        for (const sim::Call& c : sim::Calls())
            ops.push_back(c.op);
        return ops;
    }

    static int Redisplays() { return static_cast<int>(sim::CallsNamed("HostRedisplay").size()); }

    RunData* run = nullptr;

  private:
    std::unique_ptr<RunData> data_;
};

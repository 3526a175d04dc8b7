// A run data record as the host hands it over: zero-filled, its object header
// pointing at the run header of a freshly reset simulated machine whose call
// log starts empty. The core, display and event fixtures all start here.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/time_count.h"
#include "fixtures/run_object.h"
#include "simulated_machine/sim_machine.h"

class RunDataTest : public ::testing::Test {
  protected:
    // On the heap and on its own, so that a sanitizer sees a write past its end.
    void SetUp() override {
        owned_ = std::make_unique<RunData>();
        Prepare(owned_.get());
    }

    // For table rows: a new machine and record, as the next test would have.
    void Restart() { SetUp(); }

    void Prepare(RunData* record) {
        sim::Reset();
        run = record;
        fixture::PrepareRunData(run, kRunDataSize, sim::TheRunHeader());
    }

    // Puts the shared timer in the running state, started this many
    // hundredths before now.
    void StartedAgo(int32_t hundredths) { run->chronoStart = CurrentTimeCount() - hundredths; }

    // Stops the shared timer with this many hundredths banked.
    void StoppedTimer(int32_t hundredths) {
        run->chronoStart = 0.0;
        run->chronoElapsed = hundredths;
    }

    static int64_t Address(const void* p) {
        return static_cast<int64_t>(reinterpret_cast<uintptr_t>(p));
    }

    // The arguments of a recorded call from `first` up to `end`.
    static std::vector<int64_t> Args(const sim::Call& call, size_t first, size_t end = SIZE_MAX) {
        end = std::min(end, call.args.size());
        return std::vector<int64_t>(call.args.begin() + first, call.args.begin() + end);
    }

    static std::vector<std::string> Ops() {
        std::vector<std::string> ops;
        for (const sim::Call& c : sim::Calls())
            ops.push_back(c.op);
        return ops;
    }

    RunData* run = nullptr;

  private:
    std::unique_ptr<RunData> owned_;
};

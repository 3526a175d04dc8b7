// A run data record set up by hand for drawing: zero-filled, visible, wired to
// the recording host with one registered host font, on a freshly reset
// simulated machine whose call log starts empty.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/records.h"
#include "display/display.h"
#include "contract/entry_points.h"
#include "fixtures/run_object.h"
#include "simulated_machine/sim_machine.h"

class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::Reset();
        data_ = std::make_unique<RunData>();
        run = data_.get();
        fixture::PrepareRunData(run, kRunDataSize, sim::TheRunHeader());
        FontRequest request{};
        run->fontHandle =
            static_cast<int16_t>(HostFontCreate(sim::TheFontBank(), kFontKind, &request, 0, 0));
        run->visible = 1;
        sim::ClearCalls();
    }

    // The texts handed to HostDrawText, in order.
    static std::vector<std::string> DrawnTexts() {
        std::vector<std::string> texts;
        for (const sim::Call& c : sim::CallsNamed("HostDrawText"))
            texts.push_back(c.text);
        return texts;
    }

    // Draws once and returns the one text drawn, or "<none>" / "<many>".
    std::string DrawOnce() {
        sim::ClearCalls();
        EXPECT_EQ(0, DisplayRunObject(run));
        std::vector<std::string> texts = DrawnTexts();
        if (texts.empty()) return "<none>";
        if (texts.size() > 1) return "<many>";
        return texts[0];
    }

    static std::vector<std::string> Ops() {
        std::vector<std::string> ops;
        for (const sim::Call& c : sim::Calls())
            ops.push_back(c.op);
        return ops;
    }

    // Nothing a draw makes or borrows may outlive it.
    static void ExpectNothingLeftOver() {
        EXPECT_EQ(0, sim::LiveGdiObjects()) << "Windows objects left undeleted";
        EXPECT_EQ(0, sim::OutstandingDCs()) << "device contexts not given back";
    }

    // Stops the shared timer with this many hundredths banked.
    void StoppedTimer(int32_t hundredths) {
        run->chronoStart = 0.0;
        run->chronoElapsed = hundredths;
    }

    RunData* run = nullptr;

  private:
    std::unique_ptr<RunData> data_;
};

// A run data record set up by hand for drawing: visible, with one registered
// host font.
#pragma once

#include <string>
#include <vector>

#include "contract/entry_points.h"
#include "display/display.h"
#include "tests/native/run_data_test_support.h"

class DisplayTest : public RunDataTest {
  protected:
    void SetUp() override {
        RunDataTest::SetUp();
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

    // Nothing a draw makes or borrows may outlive it.
    static void ExpectNothingLeftOver() {
        EXPECT_EQ(0, sim::LiveGdiObjects()) << "Windows objects left undeleted";
        EXPECT_EQ(0, sim::OutstandingDCs()) << "device contexts not given back";
    }
};

// The main window's opening over the fake engines: the end state of its
// controls, the order of its messages, the about box, the system menu.
#include "MainWindowFixture.h"

#include "GlintcastDlg.h"
#include "Globals.h"

#include <gtest/gtest.h>

namespace {

TEST_F(MainWindowTest, OpensWithEveryEngineUsable)
{
    Run([&](MainWindow& window) {
        EXPECT_EQ(window.Items(IDC_SCREEN_LIST), (std::vector<std::wstring>{L"0", L"1"}));
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), L"0");
        EXPECT_TRUE(window.Checked(IDC_RECORD_SCREEN));
        EXPECT_TRUE(window.Checked(IDC_DRAW_CURSOR));
        EXPECT_TRUE(window.Checked(IDC_RECORD_SYSTEM_AUDIO));
        EXPECT_FALSE(window.Checked(IDC_RECORD_MIC));
        EXPECT_EQ(window.Items(IDC_OUTPUT_DEVICE_LIST),
                  (std::vector<std::wstring>{L"Headphones", L"Speakers (default)"}));
        EXPECT_EQ(window.Selected(IDC_OUTPUT_DEVICE_LIST), L"Speakers (default)");
        EXPECT_EQ(window.Selected(IDC_INPUT_DEVICE_LIST), L"Microphone (default)");
        EXPECT_EQ(window.Text(IDC_OUTPUT_DIR), L".\\Glintcast_Output");
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
        EXPECT_EQ(window.Text(IDC_FRAME_RATE), L"30");
    });
    EXPECT_EQ(Events(), (std::vector<std::string>{"about", "main"}));
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

} // namespace

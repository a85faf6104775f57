// The settings groups of the active profile, read from a real store and sent to the virtual mouse:
// exact frames as the mouse received them.
#include "device/SettingsSender.h"

#include "ManualClock.h"
#include "MouseRig.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Frames = std::vector<std::string>;

// 128 zero bytes; trailing zeros are not shown, so the first offset is gone.
const Frames kEmptyMacroArea = {"0C 51 1B", "0C 51 1B 1B", "0C 51 1B 36", "0C 51 1B 51", "0C 51 14 6C"};

struct SenderFixture : testing::Test {
    MouseRig rig;
    ManualClock clock;
    SettingsSender sender{rig.store, rig.devices, clock};

    void SetUp() override { rig.PlugAndOpen(VirtualLink::Cable); }
};

struct GroupCase {
    const char* name;
    std::function<void(SettingsSender&)> send;
    Frames expected;
};

TEST_F(SenderFixture, EachGroupOfADefaultProfileGoesOutAsItsFrames)
{
    const GroupCase cases[] = {
        {"dpi", [](SettingsSender& s) { s.SendDpiSettings(); },
         {"0C 63 10 00 00 06 02 20 03 B0 04 60 09 10 0E C0 12 E0 2E"}},
        // A new profile stores report_rate 0, which is no rate; the wireless choice (1) goes out.
        {"performance", [](SettingsSender& s) { s.SendPerformanceSettings(); },
         {"0C 61 0B 00 00 01 01 01 0F 00 08 02 01 00 01"}},
        {"light", [](SettingsSender& s) { s.SendLightSetting(0x105); }, {"0C 21 0B 00 00 05"}},
        {"reset", [](SettingsSender& s) { s.SendFactoryReset(); }, {"0C 1F FF"}},
        {"buttons", [](SettingsSender& s) { s.SendButtonAssignments(); },
         {"0C 08 14 00 00 10 01 00 00 10 02 00 00 10 04 00 00 10 10 00 00 10 08"}},
        {"macro area", [](SettingsSender& s) { s.SendMacroArea(); }, kEmptyMacroArea},
    };
    for (const GroupCase& c : cases) {
        rig.TakeFramesToMouse();
        c.send(sender);
        EXPECT_EQ(rig.TakeFramesToMouse(), c.expected) << c.name;
    }
}

TEST_F(SenderFixture, FramesFollowTheActiveProfileAsStoredNow)
{
    rig.SetKey(L"dpi_index", L"4", 2);
    rig.SetKey(L"report_rate", L"3", 2);
    rig.SetKey(L"dpi_group0_value", L"26001", 2);
    rig.Assign(2, 1, 2, 0x04, 0x02); // right button types Shift+A
    rig.store.SetActiveProfile(2);

    sender.SendDpiSettings();
    sender.SendPerformanceSettings();
    sender.SendButtonAssignments();

    EXPECT_EQ(rig.TakeFramesToMouse(),
              (Frames{"0C 63 10 00 00 06 04 00 00 B0 04 60 09 10 0E C0 12 E0 2E",
                      "0C 61 0B 00 00 03 03 03 0F 00 08 02 01 00 01",
                      "0C 08 14 00 00 10 01 00 00 20 02 04 00 10 04 00 00 10 10 00 00 10 08"}));
    const VirtualMouseSettings state = rig.mouse.Settings();
    EXPECT_EQ(state.dpiIndex, 4);
    EXPECT_EQ(state.performance[0], 3);
}

TEST_F(SenderFixture, MacroAreaTravelsInChunksTenMillisecondsApart)
{
    const int macro = rig.store.AddMacro(L"A");
    rig.store.AddMacroEvents({{0, macro, 2, 0, 65, 0, L""}, {0, macro, 1, 1, 50, 0, L""}, {0, macro, 3, 2, 65, 0, L""}});

    sender.SendMacroArea();

    const Frames frames = rig.TakeFramesToMouse();
    ASSERT_EQ(frames.size(), 6u); // 136 bytes: five chunks of 27 and one of 1
    EXPECT_EQ(frames[0], "0C 51 1B 00 00 80 00 02");
    EXPECT_EQ(frames[5], "0C 51 01 87 00 04");
    EXPECT_EQ(clock.TakePauses(), (std::vector<int>{10, 10, 10, 10, 10}));
    const std::vector<std::uint8_t>& area = rig.mouse.Settings().macroArea;
    ASSERT_GE(area.size(), 136u);
    EXPECT_EQ(HexText(std::span(area).first(4)), "80 00 02 00");
    EXPECT_EQ(HexText(std::span(area).subspan(128, 8)), "00 00 42 04 32 00 82 04");
}

TEST_F(SenderFixture, AStoppedClockStillLetsTheWholeMacroAreaOut)
{
    clock.Stop();
    sender.SendMacroArea();
    EXPECT_EQ(rig.TakeFramesToMouse(), kEmptyMacroArea);
    EXPECT_TRUE(clock.TakePauses().empty());
}

TEST_F(SenderFixture, WithoutAnActiveProfileTheProfileGroupsStayHome)
{
    rig.store.SetActiveProfile(9);
    sender.SendAllGroups(3);
    sender.SendFactoryReset();
    // The light value and the macro area belong to no profile and still go out.
    Frames expected = {"0C 21 0B 00 00 03"};
    expected.insert(expected.end(), kEmptyMacroArea.begin(), kEmptyMacroArea.end());
    expected.push_back("0C 1F FF");
    EXPECT_EQ(rig.TakeFramesToMouse(), expected);
}

TEST_F(SenderFixture, AllGroupsGoOutInOrder)
{
    sender.SendAllGroups(2);
    const Frames frames = rig.TakeFramesToMouse();
    ASSERT_EQ(frames.size(), 9u);
    std::vector<std::string> heads;
    for (const std::string& frame : frames)
        heads.push_back(frame.substr(0, 5));
    EXPECT_EQ(heads, (Frames{"0C 63", "0C 61", "0C 21", "0C 08", "0C 51", "0C 51", "0C 51", "0C 51", "0C 51"}));
}

} // namespace

// Reading integers from X settings data, in both byte orders, and refusing malformed data.
#include "XSettingsBytes.h"

#include "vinto/platform/XSettings.h"

#include <gtest/gtest.h>

using namespace Vinto;
using VintoTest::SettingsBytes;

namespace {

TEST(XSettings, FindsIntegersBehindOtherSettingsInBothByteOrders)
{
    for (bool big : {false, true}) {
        const std::vector<uint8_t> data = SettingsBytes(big)
                                              .String("Net/ThemeName", "Adwaita")
                                              .Color("Gtk/Color")
                                              .Integer("Net/DoubleClickTime", 321)
                                              .Integer("Net/Negative", -5)
                                              .Finish();
        EXPECT_EQ(FindXSettingsInteger(data.data(), data.size(), "Net/DoubleClickTime"), 321) << big;
        EXPECT_EQ(FindXSettingsInteger(data.data(), data.size(), "Net/Negative"), -5) << big;
        EXPECT_EQ(FindXSettingsInteger(data.data(), data.size(), "Net/ThemeName"), std::nullopt) << big;
        EXPECT_EQ(FindXSettingsInteger(data.data(), data.size(), "Net/Missing"), std::nullopt) << big;
    }
}

TEST(XSettings, MalformedDataGivesNothing)
{
    const std::vector<uint8_t> good = SettingsBytes(false).String("Long/Name", "value").Integer("Net/DoubleClickTime", 400).Finish();
    for (size_t cut : {size_t{0}, size_t{11}, size_t{16}, good.size() / 2, good.size() - 1})
        EXPECT_EQ(FindXSettingsInteger(good.data(), cut, "Net/DoubleClickTime"), std::nullopt) << cut;

    std::vector<uint8_t> unknownType = good;
    unknownType[12] = 9;
    EXPECT_EQ(FindXSettingsInteger(unknownType.data(), unknownType.size(), "Net/DoubleClickTime"), std::nullopt);

    std::vector<uint8_t> hugeCount = good;
    hugeCount[8] = 0xFF;
    hugeCount[11] = 0x7F;
    EXPECT_EQ(FindXSettingsInteger(hugeCount.data(), hugeCount.size(), "Net/Other"), std::nullopt);

    std::vector<uint8_t> hugeName = good;
    hugeName[14] = 0xFF;
    hugeName[15] = 0xFF;
    EXPECT_EQ(FindXSettingsInteger(hugeName.data(), hugeName.size(), "Net/DoubleClickTime"), std::nullopt);
    EXPECT_EQ(FindXSettingsInteger(nullptr, 100, "Net/DoubleClickTime"), std::nullopt);
}

} // namespace

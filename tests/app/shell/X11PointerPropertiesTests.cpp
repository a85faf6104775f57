#include "app/shell/DesktopPointerSettings.h"
#include "app/shell/X11PointerProperties.h"
#include "app/shell/XInputPointerSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Runs on the private X server of the test fixture, whose pointers are the server's own test devices.

TEST(X11PointerProperties, ReadsThePropertiesOfTheServersPointers)
{
    const std::unique_ptr<X11PointerProperties> properties = X11PointerProperties::Create();
    ASSERT_TRUE(properties);
    const std::vector<int> pointers = properties->DevicesWith("Device Enabled");
    ASSERT_FALSE(pointers.empty());
    EXPECT_EQ(properties->ReadBytes(pointers[0], "Device Enabled"), std::vector<unsigned char>{1});
    EXPECT_EQ(properties->ReadFloat(pointers[0], "Device Enabled"), std::nullopt);
    EXPECT_TRUE(properties->DevicesWith("No Such Property At All").empty());
}

TEST(X11PointerProperties, WritesTheServerRefusesReportFailure)
{
    const std::unique_ptr<X11PointerProperties> properties = X11PointerProperties::Create();
    ASSERT_TRUE(properties);
    const std::vector<int> pointers = properties->DevicesWith("Device Enabled");
    ASSERT_FALSE(pointers.empty());
    EXPECT_FALSE(properties->WriteFloat(pointers[0], "Device Enabled", 0.5f));
    EXPECT_FALSE(properties->WriteBytes(pointers[0], "No Such Property At All", {1}));
    EXPECT_EQ(properties->ReadBytes(pointers[0], "Device Enabled"), std::vector<unsigned char>{1});
}

TEST(X11PointerProperties, DesktopWithoutLibinputPointersKeepsValuesOnly)
{
    unsetenv("XDG_CURRENT_DESKTOP");
    const std::unique_ptr<PointerSettings> settings = CreateDesktopPointerSettings();
    ASSERT_TRUE(settings);
    EXPECT_EQ(dynamic_cast<XInputPointerSettings*>(settings.get()), nullptr);
    EXPECT_FALSE(settings->SetMouseSpeed(12));
    EXPECT_EQ(settings->GetMouseSpeed(), 12);
}

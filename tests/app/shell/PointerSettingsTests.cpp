#include "app/shell/DesktopPointerSettings.h"
#include "app/shell/MemoryPointerSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

TEST(PointerSettings, SpeedMapsOntoTheUnitScaleAndBack)
{
    const struct {
        int speed;
        double unit;
    } cases[] = {{1, -0.9}, {5, -0.5}, {10, 0.0}, {15, 0.5}, {20, 1.0}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(PointerSettings::SpeedToUnit(c.speed), c.unit) << c.speed;
        EXPECT_EQ(PointerSettings::SpeedFromUnit(c.unit), c.speed) << c.unit;
    }
}

TEST(PointerSettings, UnitValuesBetweenStepsRoundAndStayOnTheScale)
{
    const struct {
        double unit;
        int speed;
    } cases[] = {{-1.0, 1}, {-0.96, 1}, {0.04, 10}, {0.06, 11}, {0.55, 16}, {1.5, 20}, {NAN, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(PointerSettings::SpeedFromUnit(c.unit), c.speed) << c.unit;
}

TEST(PointerSettings, WithoutDesktopSettingsValuesAreKeptAndReportedNotApplied)
{
    PointerSettings settings;
    EXPECT_EQ(settings.GetMouseSpeed(), 10);
    EXPECT_TRUE(settings.GetAcceleration());
    EXPECT_EQ(settings.GetWheelLines(), 3);
    EXPECT_EQ(settings.GetDoubleClickTime(), 550);

    EXPECT_FALSE(settings.SetMouseSpeed(15));
    EXPECT_FALSE(settings.SetAcceleration(false));
    EXPECT_FALSE(settings.SetWheelLines(PointerSettings::kWheelPageScroll));
    EXPECT_FALSE(settings.SetDoubleClickTime(620));
    EXPECT_EQ(settings.GetMouseSpeed(), 15);
    EXPECT_FALSE(settings.GetAcceleration());
    EXPECT_EQ(settings.GetWheelLines(), PointerSettings::kWheelPageScroll);
    EXPECT_EQ(settings.GetDoubleClickTime(), 620);
}

TEST(PointerSettings, ValuesOutsideTheirScaleAreRefusedAndChangeNothing)
{
    MemoryPointerSettings settings({.speed = 7, .acceleration = true, .wheelLines = 4, .doubleClickMs = 410});
    for (const int speed : {0, -3, 21})
        EXPECT_FALSE(settings.SetMouseSpeed(speed)) << speed;
    for (const int lines : {0, -2})
        EXPECT_FALSE(settings.SetWheelLines(lines)) << lines;
    for (const int ms : {0, -550})
        EXPECT_FALSE(settings.SetDoubleClickTime(ms)) << ms;
    EXPECT_EQ(settings.GetMouseSpeed(), 7);
    EXPECT_EQ(settings.GetWheelLines(), 4);
    EXPECT_EQ(settings.GetDoubleClickTime(), 410);
    EXPECT_EQ(settings.Writes(), Strings{});
}

TEST(PointerSettings, MemoryDesktopAppliesEveryValueAndRecordsTheWrites)
{
    MemoryPointerSettings settings;
    EXPECT_TRUE(settings.SetMouseSpeed(20));
    EXPECT_TRUE(settings.SetAcceleration(false));
    EXPECT_TRUE(settings.SetWheelLines(PointerSettings::kWheelPageScroll));
    EXPECT_TRUE(settings.SetDoubleClickTime(200));
    EXPECT_TRUE(settings.SetMouseSpeed(20));

    const PointerSettings::Values desktop = settings.Desktop();
    EXPECT_EQ(desktop.speed, 20);
    EXPECT_FALSE(desktop.acceleration);
    EXPECT_EQ(desktop.wheelLines, PointerSettings::kWheelPageScroll);
    EXPECT_EQ(desktop.doubleClickMs, 200);
    EXPECT_EQ(settings.Writes(), (Strings{"speed", "acceleration", "wheel", "double-click", "speed"}));
}

TEST(PointerSettings, GnomeIsRecognisedInAnyPositionOfTheDesktopList)
{
    const struct {
        const char* value;
        bool gnome;
    } cases[] = {{"GNOME", true},  {"ubuntu:GNOME", true}, {"GNOME-Flashback:GNOME", true},
                 {"KDE", false},   {"GNOME-Classic", false}, {"", false},
                 {"XFCE:", false}, {":GNOME", true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsGnomeDesktop(c.value), c.gnome) << c.value;
}

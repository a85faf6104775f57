#include "app/shell/GnomePointerSettings.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The desktop's mouse schema as GNOME installs it (the keys Pelmaro uses), compiled into a private
// folder and served by the in-memory settings backend, so the real desktop settings are never touched.
constexpr char kSchemaXml[] = R"(<schemalist>
  <enum id="org.gnome.desktop.GDesktopPointerAccelProfile">
    <value nick="default" value="0"/>
    <value nick="flat" value="1"/>
    <value nick="adaptive" value="2"/>
  </enum>
  <schema id="org.gnome.desktop.peripherals.mouse" path="/org/gnome/desktop/peripherals/mouse/">
    <key name="speed" type="d"><default>0</default><range min="-1" max="1"/></key>
    <key name="accel-profile" enum="org.gnome.desktop.GDesktopPointerAccelProfile"><default>'default'</default></key>
    <key name="double-click" type="i"><default>400</default></key>
  </schema>
</schemalist>
)";

class PrivateSchemas : public ::testing::Environment {
public:
    void SetUp() override
    {
        WriteFile(folder_ / "org.gnome.desktop.peripherals.gschema.xml", kSchemaXml);
        const std::string command = "glib-compile-schemas " + folder_.Path().string();
        ASSERT_EQ(std::system(command.c_str()), 0);
        setenv("GSETTINGS_SCHEMA_DIR", folder_.Path().c_str(), 1);
        setenv("GSETTINGS_BACKEND", "memory", 1);
    }

private:
    TempFolder folder_;
};

const auto* const kSchemas = ::testing::AddGlobalTestEnvironment(new PrivateSchemas);

class GnomePointerSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desktop.reset(g_settings_new(GnomePointerSettings::kSchema));
        for (const char* key : {"speed", "accel-profile", "double-click"})
            g_settings_reset(desktop.get(), key);
        settings = GnomePointerSettings::Create();
        ASSERT_TRUE(settings);
    }

    std::string Profile()
    {
        return GCharPtr(g_settings_get_string(desktop.get(), "accel-profile")).get();
    }

    GObjectPtr<GSettings> desktop;
    std::unique_ptr<GnomePointerSettings> settings;
};

} // namespace

TEST_F(GnomePointerSettingsTest, DesktopDefaultsReadAsTheProgramsDefaultsExceptDoubleClick)
{
    EXPECT_EQ(settings->GetMouseSpeed(), 10);
    EXPECT_TRUE(settings->GetAcceleration());
    EXPECT_EQ(settings->GetDoubleClickTime(), 400);
}

TEST_F(GnomePointerSettingsTest, SpeedIsWrittenOnTheDesktopsScale)
{
    const struct {
        int speed;
        double unit;
    } cases[] = {{1, -0.9}, {10, 0.0}, {15, 0.5}, {20, 1.0}};
    for (const auto& c : cases) {
        EXPECT_TRUE(settings->SetMouseSpeed(c.speed));
        EXPECT_DOUBLE_EQ(g_settings_get_double(desktop.get(), "speed"), c.unit);
        EXPECT_EQ(settings->GetMouseSpeed(), c.speed);
    }
    g_settings_set_double(desktop.get(), "speed", -1.0);
    EXPECT_EQ(settings->GetMouseSpeed(), 1);
}

TEST_F(GnomePointerSettingsTest, AccelerationIsTheProfile)
{
    EXPECT_TRUE(settings->SetAcceleration(false));
    EXPECT_EQ(Profile(), "flat");
    EXPECT_FALSE(settings->GetAcceleration());
    EXPECT_TRUE(settings->SetAcceleration(true));
    EXPECT_EQ(Profile(), "adaptive");
    EXPECT_TRUE(settings->GetAcceleration());
}

TEST_F(GnomePointerSettingsTest, DoubleClickTimeIsWrittenInMilliseconds)
{
    EXPECT_TRUE(settings->SetDoubleClickTime(620));
    EXPECT_EQ(g_settings_get_int(desktop.get(), "double-click"), 620);
    EXPECT_EQ(settings->GetDoubleClickTime(), 620);
}

TEST_F(GnomePointerSettingsTest, WheelLinesAreKeptButNotApplied)
{
    EXPECT_FALSE(settings->SetWheelLines(PointerSettings::kWheelPageScroll));
    EXPECT_EQ(settings->GetWheelLines(), PointerSettings::kWheelPageScroll);
}

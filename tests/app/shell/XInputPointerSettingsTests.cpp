#include "app/shell/XInputPointerSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using Bytes = std::vector<unsigned char>;

// Devices with their properties, held in maps; a device can be told to refuse writes.
class FakeDevices : public PointerDeviceProperties {
public:
    struct Device {
        std::map<std::string, float> floats;
        std::map<std::string, Bytes> bytes;
        bool refuses = false;
    };
    std::map<int, Device> devices;

    std::vector<int> DevicesWith(const char* property) override
    {
        std::vector<int> ids;
        for (const auto& [id, device] : devices) {
            if (device.floats.contains(property) || device.bytes.contains(property))
                ids.push_back(id);
        }
        return ids;
    }
    std::optional<float> ReadFloat(int id, const char* property) override
    {
        const auto& floats = devices.at(id).floats;
        const auto found = floats.find(property);
        return found == floats.end() ? std::nullopt : std::optional<float>(found->second);
    }
    bool WriteFloat(int id, const char* property, float value) override
    {
        Device& device = devices.at(id);
        if (device.refuses || !device.floats.contains(property))
            return false;
        device.floats[property] = value;
        return true;
    }
    Bytes ReadBytes(int id, const char* property) override
    {
        const auto& bytes = devices.at(id).bytes;
        const auto found = bytes.find(property);
        return found == bytes.end() ? Bytes{} : found->second;
    }
    bool WriteBytes(int id, const char* property, const Bytes& values) override
    {
        Device& device = devices.at(id);
        if (device.refuses || !device.bytes.contains(property))
            return false;
        device.bytes[property] = values;
        return true;
    }
};

constexpr const char* kSpeed = XInputPointerSettings::kSpeedProperty;
constexpr const char* kProfile = XInputPointerSettings::kProfileProperty;

class XInputPointerSettingsTest : public ::testing::Test {
protected:
    XInputPointerSettingsTest()
    {
        auto fake = std::make_unique<FakeDevices>();
        fake->devices[6] = {{{kSpeed, 0.5f}}, {{kProfile, {1, 0}}}};
        fake->devices[9] = {{{kSpeed, -0.2f}}, {{kProfile, {0, 1, 0}}}};
        fake->devices[11] = {{{"Coordinate Transformation Matrix", 1.0f}}, {{"Device Enabled", {1}}}};
        devices = fake.get();
        settings = std::make_unique<XInputPointerSettings>(std::move(fake));
    }

    FakeDevices* devices;
    std::unique_ptr<XInputPointerSettings> settings;
};

} // namespace

TEST_F(XInputPointerSettingsTest, ValuesAreReadFromTheFirstLibinputPointer)
{
    EXPECT_EQ(settings->GetMouseSpeed(), 15);
    EXPECT_TRUE(settings->GetAcceleration());
}

TEST_F(XInputPointerSettingsTest, SpeedGoesToEveryLibinputPointerOnTheUnitScale)
{
    const struct {
        int speed;
        float unit;
    } cases[] = {{1, -0.9f}, {10, 0.0f}, {14, 0.4f}, {20, 1.0f}};
    for (const auto& c : cases) {
        EXPECT_TRUE(settings->SetMouseSpeed(c.speed));
        EXPECT_FLOAT_EQ(devices->devices[6].floats[kSpeed], c.unit);
        EXPECT_FLOAT_EQ(devices->devices[9].floats[kSpeed], c.unit);
        EXPECT_EQ(settings->GetMouseSpeed(), c.speed);
    }
    EXPECT_FLOAT_EQ(devices->devices[11].floats["Coordinate Transformation Matrix"], 1.0f);
}

TEST_F(XInputPointerSettingsTest, AccelerationSelectsTheAdaptiveOrTheFlatProfile)
{
    EXPECT_TRUE(settings->SetAcceleration(false));
    EXPECT_EQ(devices->devices[6].bytes[kProfile], (Bytes{0, 1}));
    EXPECT_EQ(devices->devices[9].bytes[kProfile], (Bytes{0, 1, 0}));
    EXPECT_FALSE(settings->GetAcceleration());

    EXPECT_TRUE(settings->SetAcceleration(true));
    EXPECT_EQ(devices->devices[6].bytes[kProfile], (Bytes{1, 0}));
    EXPECT_EQ(devices->devices[9].bytes[kProfile], (Bytes{1, 0, 0}));
    EXPECT_EQ(devices->devices[11].bytes["Device Enabled"], (Bytes{1}));
}

TEST_F(XInputPointerSettingsTest, OnePointerTakingTheValueIsEnough)
{
    devices->devices[6].refuses = true;
    EXPECT_TRUE(settings->SetMouseSpeed(3));
    EXPECT_FLOAT_EQ(devices->devices[9].floats[kSpeed], -0.7f);

    devices->devices[9].refuses = true;
    EXPECT_FALSE(settings->SetMouseSpeed(4));
    EXPECT_FALSE(settings->SetAcceleration(false));
}

TEST_F(XInputPointerSettingsTest, SettingsX11LacksAreKeptAndReportedNotApplied)
{
    EXPECT_FALSE(settings->SetWheelLines(7));
    EXPECT_FALSE(settings->SetDoubleClickTime(340));
    EXPECT_EQ(settings->GetWheelLines(), 7);
    EXPECT_EQ(settings->GetDoubleClickTime(), 340);
}

TEST(XInputPointerSettings, WithoutLibinputPointersValuesAreOnlyKept)
{
    XInputPointerSettings settings(std::make_unique<FakeDevices>());
    EXPECT_FALSE(settings.SetMouseSpeed(18));
    EXPECT_FALSE(settings.SetAcceleration(false));
    EXPECT_EQ(settings.GetMouseSpeed(), 18);
    EXPECT_FALSE(settings.GetAcceleration());
}

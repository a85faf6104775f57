#include "device/ProfileSettingsReset.h"

#include "store/ConfigDefaults.h"

#include <vector>

namespace {

constexpr int kDefaultBrightness = 255;
constexpr int kDefaultSpeed = 127;
constexpr int kDefaultColour = 255; // red
constexpr int kFirstLightMode = 0;

} // namespace

ProfileSettingsReset::ProfileSettingsReset(DataStore& store) : store_(store) {}

bool ProfileSettingsReset::Reset(int profile)
{
    return store_.RunTransaction([&] {
        bool written = true;
        for (const ConfigDefaults::Entry& entry : ConfigDefaults::Keys())
            written = store_.SetConfigValue(profile, entry.key, entry.value) && written;
        written = store_.DeleteKeyMacros(profile) && written;
        std::vector<LightRecord> lights;
        store_.GetLights(profile, lights);
        for (LightRecord light : lights) {
            light.brightness = kDefaultBrightness;
            light.speed = kDefaultSpeed;
            light.direction = 0;
            light.colorful = 1;
            light.colorindex = 0;
            light.color_value = kDefaultColour;
            written = store_.UpdateLight(profile, light.mode, light) && written;
        }
        if (!lights.empty())
            written = store_.SetActiveLight(profile, kFirstLightMode) && written;
        return written;
    });
}

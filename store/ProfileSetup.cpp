#include "store/ProfileSetup.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kProfileWordText = 60;
constexpr int kDefaultProfiles = 5;

struct DefaultLight {
    int mode;
    int nameText; // also kept in `reserved`
    const wchar_t* fixedName; // the modes without a language text
    int configFunc;
};

constexpr std::array<DefaultLight, 7> kDefaultLights = {{
    {0, 280, nullptr, 0},
    {1, 281, nullptr, 19},
    {2, 282, nullptr, 18},
    {3, 283, L"光谱循环", 3},
    {4, 284, L"流光", 3},
    {5, 285, L"单色跑马", 19},
    {6, 286, L"霓虹", 3},
}};

constexpr std::array<std::wstring_view, 2> kDefaultNamePrefixes = {L"Profile", L"配置方案"};

} // namespace

ProfileSetup::ProfileSetup(DataStore& store, LanguageText languageText)
    : store_(store), languageText_(std::move(languageText))
{
}

int ProfileSetup::LoadProfiles(std::vector<ProfileRecord>& profiles)
{
    if (store_.GetProfiles(profiles) > 0)
        return static_cast<int>(profiles.size());
    const std::wstring word = languageText_(kProfileWordText);
    store_.RunTransaction([&] {
        for (int number = 1; number <= kDefaultProfiles; ++number) {
            ProfileRecord profile;
            profile.name = word + L" " + std::to_wstring(number);
            store_.AddProfile(profile);
        }
        return store_.SetActiveProfile(1);
    });
    return store_.GetProfiles(profiles);
}

int ProfileSetup::ActiveProfile()
{
    const int active = store_.GetActiveProfile();
    if (active >= 1)
        return active;
    store_.SetActiveProfile(1);
    return store_.GetActiveProfile();
}

std::wstring ProfileSetup::DisplayName(std::wstring_view storedName) const
{
    for (std::wstring_view prefix : kDefaultNamePrefixes) {
        if (!storedName.starts_with(prefix))
            continue;
        // Default names carry their own blank ("Profile 1"); it is not doubled.
        std::wstring_view rest = storedName.substr(prefix.size());
        rest.remove_prefix(std::min(rest.find_first_not_of(L' '), rest.size()));
        return languageText_(kProfileWordText) + L" " + std::wstring(rest);
    }
    return std::wstring(storedName);
}

void ProfileSetup::EnsureLights(int profile)
{
    if (store_.GetLightCount(profile) >= 1)
        return;
    store_.RunTransaction([&] {
        for (const DefaultLight& preset : kDefaultLights) {
            LightRecord light;
            light.profile = profile;
            light.name = preset.fixedName ? std::wstring(preset.fixedName) : languageText_(preset.nameText);
            light.mode = preset.mode;
            light.brightness = 255;
            light.speed = 127;
            light.colorful = 1;
            light.color_value = 255;
            light.config_func = preset.configFunc;
            light.reserved = preset.nameText;
            store_.AddLight(light);
        }
        return store_.SetActiveLight(profile, 0);
    });
}

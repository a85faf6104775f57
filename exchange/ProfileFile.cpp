#include "exchange/ProfileFile.h"

#include "common/TextConvert.h"
#include "exchange/XmlDocument.h"
#include "store/DataStore.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kDpiLevels = 6;

// A configuration key carried as an element of that name with a `value` attribute. Keys that the
// desktop pointer settings take over are only imported as plain decimals within their range.
struct ValueKey {
    const wchar_t* key;
    bool checked = false;
    int minimum = 0;
    int maximum = 0;
};

constexpr std::array<ValueKey, 9> kDeviceKeys = {{
    {L"button_respondtime"}, {L"report_rate"}, {L"report_rate_wireless"}, {L"sensor_flag"}, {L"liftoff_height"},
    {L"scroll_flag"}, {L"e-sports_flag"}, {L"leftbtn_lock"}, {L"sleep_light"},
}};

constexpr std::array<ValueKey, 5> kPointerKeys = {{
    {L"mouse_speed", true, 1, 20},
    {L"mouse_sensitivity", true, 0, 1},
    {L"wheel_scrollflag"}, // any text is a mode: "1" scrolls by lines, anything else by screens
    {L"wheel_scrolllines", true, 0, 20},
    {L"doubleclick_time", true, 200, 900},
}};

constexpr std::array<const wchar_t*, 3> kDpiAttributes = {L"dpi_flag", L"dpi_index", L"dpi_count"};

std::wstring DpiKey(int level, const wchar_t* suffix)
{
    return L"dpi_group" + std::to_wstring(level) + suffix;
}

std::wstring DpiElement(int level)
{
    return L"DPI" + std::to_wstring(level + 1);
}

bool IsAccepted(const ValueKey& key, const std::wstring& text)
{
    if (!key.checked)
        return true;
    if (text.empty() || text.size() > 4 || text.find_first_not_of(L"0123456789") != std::wstring::npos)
        return false;
    const int value = DecimalToInt(text);
    return value >= key.minimum && value <= key.maximum;
}

struct LightItem {
    int mode = 0;
    LightRecord values;
};

// Everything a profile file carries, read completely before the store is touched.
struct ProfileContents {
    std::optional<std::vector<KeyMacroRecord>> buttons;
    std::optional<int> activeLight;
    std::vector<LightItem> lights;
    std::vector<std::pair<std::wstring, std::wstring>> config;
};

// Calls `readItem` on every `item` child of the current element.
void ForEachItem(XmlDocument& document, const std::function<void()>& readItem)
{
    document.EnterElement();
    while (document.FindElement(L"item"))
        readItem();
    document.LeaveElement();
}

std::vector<KeyMacroRecord> ReadButtons(XmlDocument& document, int profile)
{
    std::vector<KeyMacroRecord> buttons;
    ForEachItem(document, [&] {
        KeyMacroRecord button;
        button.profile = profile;
        button.key_code = document.GetIntAttribute(L"key_code");
        button.macro_type = document.GetIntAttribute(L"macro_type");
        button.macro_value = document.GetIntAttribute(L"macro_value");
        button.macro_value2 = document.GetIntAttribute(L"macro_value2");
        button.macro_value3 = document.GetIntAttribute(L"macro_value3");
        button.macro_desc = document.GetAttribute(L"macro_desc");
        buttons.push_back(std::move(button));
    });
    return buttons;
}

std::vector<LightItem> ReadLights(XmlDocument& document)
{
    std::vector<LightItem> lights;
    ForEachItem(document, [&] {
        LightItem item;
        item.mode = document.GetIntAttribute(L"light_mode");
        item.values.brightness = document.GetIntAttribute(L"brightness");
        item.values.speed = document.GetIntAttribute(L"speed");
        item.values.direction = document.GetIntAttribute(L"direction");
        item.values.colorful = document.GetIntAttribute(L"colorful");
        item.values.colorindex = document.GetIntAttribute(L"colorindex");
        item.values.color_value = document.GetIntAttribute(L"color_value");
        lights.push_back(item);
    });
    return lights;
}

void ReadDpi(XmlDocument& document, ProfileContents& contents)
{
    for (const wchar_t* key : kDpiAttributes)
        contents.config.emplace_back(key, document.GetAttribute(key));
    document.EnterElement();
    for (int level = 0; level < kDpiLevels; ++level) {
        if (!document.FindElement(DpiElement(level)))
            continue;
        contents.config.emplace_back(DpiKey(level, L"_value"), document.GetAttribute(L"value"));
        contents.config.emplace_back(DpiKey(level, L"_rgb"), document.GetAttribute(L"color"));
    }
    document.LeaveElement();
}

void ReadValueElements(XmlDocument& document, std::span<const ValueKey> keys, ProfileContents& contents)
{
    document.EnterElement();
    for (const ValueKey& key : keys) {
        if (!document.FindElement(key.key))
            continue;
        std::wstring value = document.GetAttribute(L"value");
        if (IsAccepted(key, value))
            contents.config.emplace_back(key.key, std::move(value));
    }
    document.LeaveElement();
}

std::optional<ProfileContents> ReadContents(XmlDocument& document, int profile, bool hasLighting)
{
    if (!document.FindElement(L"profile") || !document.EnterElement() || !document.FindElement(L"profileinfo") ||
        !document.EnterElement())
        return std::nullopt;
    ProfileContents contents;
    if (document.FindElement(L"keyitems"))
        contents.buttons = ReadButtons(document, profile);
    if (hasLighting && document.FindElement(L"Lightitems")) {
        contents.activeLight = document.GetIntAttribute(L"lightmode");
        contents.lights = ReadLights(document);
    }
    if (document.FindElement(L"Mouse_DPI"))
        ReadDpi(document, contents);
    if (document.FindElement(L"Mouse"))
        ReadValueElements(document, kDeviceKeys, contents);
    if (document.FindElement(L"mouse_properties"))
        ReadValueElements(document, kPointerKeys, contents);
    return contents;
}

// Applies what was read; false as soon as the store refuses a change.
bool Apply(DataStore& store, int profile, const ProfileContents& contents)
{
    if (contents.buttons) {
        if (!store.DeleteKeyMacros(profile))
            return false;
        for (const KeyMacroRecord& button : *contents.buttons)
            store.SetKeyMacro(button);
    }
    if (contents.activeLight && !store.SetActiveLight(profile, *contents.activeLight))
        return false;
    for (const LightItem& item : contents.lights) {
        LightRecord light;
        if (!store.GetLight(profile, item.mode, light))
            continue; // a mode this profile does not have
        light.brightness = item.values.brightness;
        light.speed = item.values.speed;
        light.direction = item.values.direction;
        light.colorful = item.values.colorful;
        light.colorindex = item.values.colorindex;
        light.color_value = item.values.color_value;
        if (!store.UpdateLight(profile, item.mode, light))
            return false;
    }
    for (const auto& [key, value] : contents.config) {
        if (!store.SetConfigValue(profile, key, value))
            return false;
    }
    return true;
}

} // namespace

ProfileFile::ProfileFile(DataStore& store, bool hasLighting) : store_(store), hasLighting_(hasLighting)
{
}

bool ProfileFile::Export(int profile, std::wstring_view displayName, const std::filesystem::path& path)
{
    auto config = [&](const std::wstring& key) {
        std::wstring value;
        store_.GetConfigValue(profile, key, value);
        return value;
    };

    XmlDocument document;
    document.SetDocumentText(XmlDocument::kDeclaration);
    document.AddElement(L"profile");
    document.EnterElement();
    document.AddElement(L"profileinfo");
    document.SetAttribute(L"name", displayName);
    document.EnterElement();

    document.AddElement(L"keyitems");
    document.EnterElement();
    std::vector<KeyMacroRecord> buttons;
    store_.GetKeyMacros(profile, buttons);
    for (const KeyMacroRecord& button : buttons) {
        document.AddElement(L"item");
        document.SetAttribute(L"key_code", button.key_code);
        document.SetAttribute(L"macro_type", button.macro_type);
        document.SetAttribute(L"macro_value", button.macro_value);
        document.SetAttribute(L"macro_value2", button.macro_value2);
        document.SetAttribute(L"macro_value3", button.macro_value3);
        document.SetAttribute(L"macro_desc", button.macro_desc);
    }
    document.LeaveElement();

    if (hasLighting_) {
        document.AddElement(L"Lightitems");
        document.SetAttribute(L"lightmode", store_.GetActiveLightMode(profile));
        document.EnterElement();
        std::vector<LightRecord> lights;
        store_.GetLights(profile, lights);
        for (const LightRecord& light : lights) {
            document.AddElement(L"item");
            document.SetAttribute(L"light_mode", light.mode);
            document.SetAttribute(L"brightness", light.brightness);
            document.SetAttribute(L"speed", light.speed);
            document.SetAttribute(L"direction", light.direction);
            document.SetAttribute(L"colorful", light.colorful);
            document.SetAttribute(L"colorindex", light.colorindex);
            document.SetAttribute(L"color_value", light.color_value);
        }
        document.LeaveElement();
    }

    document.AddElement(L"Mouse_DPI");
    for (const wchar_t* key : kDpiAttributes)
        document.SetAttribute(key, config(key));
    document.EnterElement();
    for (int level = 0; level < kDpiLevels; ++level) {
        document.AddElement(DpiElement(level));
        document.SetAttribute(L"value", config(DpiKey(level, L"_value")));
        document.SetAttribute(L"color", config(DpiKey(level, L"_rgb")));
    }
    document.LeaveElement();

    auto addValueElements = [&](const wchar_t* section, std::span<const ValueKey> keys) {
        document.AddElement(section);
        document.EnterElement();
        for (const ValueKey& key : keys) {
            document.AddElement(key.key);
            document.SetAttribute(L"value", config(key.key));
        }
        document.LeaveElement();
    };
    addValueElements(L"Mouse", kDeviceKeys);
    addValueElements(L"mouse_properties", kPointerKeys);
    return document.SaveFile(path);
}

bool ProfileFile::Import(int profile, const std::filesystem::path& path)
{
    XmlDocument document;
    if (!document.LoadFile(path))
        return false;
    const std::optional<ProfileContents> contents = ReadContents(document, profile, hasLighting_);
    if (!contents)
        return false;
    return store_.RunTransaction([&] { return Apply(store_, profile, *contents); });
}

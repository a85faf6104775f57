#include "app/shell/GnomePointerSettings.h"

#include <cstring>

std::unique_ptr<GnomePointerSettings> GnomePointerSettings::Create()
{
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (!source)
        return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kSchema, TRUE);
    if (!schema)
        return nullptr;
    g_settings_schema_unref(schema);
    return std::unique_ptr<GnomePointerSettings>(new GnomePointerSettings(g_settings_new(kSchema)));
}

bool GnomePointerSettings::Written(gboolean accepted)
{
    g_settings_sync();
    return accepted;
}

std::optional<int> GnomePointerSettings::ReadSpeed()
{
    return SpeedFromUnit(g_settings_get_double(settings_.get(), "speed"));
}

bool GnomePointerSettings::WriteSpeed(int speed)
{
    return Written(g_settings_set_double(settings_.get(), "speed", SpeedToUnit(speed)));
}

std::optional<bool> GnomePointerSettings::ReadAcceleration()
{
    GCharPtr profile(g_settings_get_string(settings_.get(), "accel-profile"));
    return std::strcmp(profile.get(), "flat") != 0;
}

bool GnomePointerSettings::WriteAcceleration(bool on)
{
    return Written(g_settings_set_string(settings_.get(), "accel-profile", on ? "adaptive" : "flat"));
}

std::optional<int> GnomePointerSettings::ReadDoubleClickTime()
{
    return g_settings_get_int(settings_.get(), "double-click");
}

bool GnomePointerSettings::WriteDoubleClickTime(int ms)
{
    return Written(g_settings_set_int(settings_.get(), "double-click", ms));
}

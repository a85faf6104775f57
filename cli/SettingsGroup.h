#pragma once
// The groups of settings the mouse takes one command each for, which group a configuration key
// belongs to, and the names `send` knows them by.
// Thread contract: pure functions; any thread.

#include <optional>
#include <string_view>
#include <vector>

enum class SettingsGroup { Dpi, Performance, Light, Buttons, Macros, FactoryReset };

// The group a stored change of `key` must be sent with, as the window sends it; none for keys the
// mouse never receives (desktop pointer values, colours, keys only the profile file carries).
std::optional<SettingsGroup> GroupOfKey(std::wstring_view key);

// The groups `send NAME` sends, in sending order: one group, or for "all" the whole profile. Empty
// for an unknown name.
std::vector<SettingsGroup> GroupsNamed(std::string_view name);

// Every group a whole profile is made of, in sending order (every group but the factory reset), as
// sent when the active profile changes.
std::vector<SettingsGroup> ProfileGroups();

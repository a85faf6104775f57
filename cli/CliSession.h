#pragma once
// Everything a pelmarectl command works with, found the way the window finds it: the catalogue and
// the model in use (the stored device type, else the first model), the model's button layout, the
// language texts, the model's settings database in the per-user data folder with its profiles, and
// the device link, opened only when a command first needs the mouse.
// Thread contract: one thread; pelmarectl does everything on its main thread.

#include "cli/CommandLine.h"
#include "cli/DeviceLink.h"
#include "app/shell/LanguageTexts.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceLayout.h"
#include "store/DataStore.h"
#include "store/ProfileSetup.h"

#include <memory>
#include <string>

class CliSession {
public:
    explicit CliSession(const CommandLine& line);

    // Reads the catalogue and the layout and opens the database, creating its folder and, on a
    // first run, the default profiles. False, with `error` saying why, when the catalogue lists no
    // model or the database cannot be opened.
    bool Open(std::string& error);

    const CommandLine& Line() const { return line_; }
    const DeviceCatalogue& Catalogue() const { return catalogue_; }
    // The buttons of the model; empty when its layout file is missing.
    const DeviceLayout& Layout() const { return layout_; }
    bool HasLighting() const { return layout_.LightingPageEnabled(); }

    DataStore& Store() { return store_; }
    ProfileSetup& Profiles() { return *profiles_; }
    // The language text `id`.
    std::wstring Text(int id) const;

    // The profile `named` by its id or by the name the profile list shows; false when none is.
    bool FindProfile(const std::string& named, int& profile);
    // The profile a command works on: the one named by --profile, else the active one. False, after
    // telling the user, when --profile names no profile.
    bool TargetProfile(int& profile);
    bool IsActiveProfile(int profile);

    // The device link, enumerated on first use.
    DeviceLink& Link();

private:
    const CommandLine& line_;
    DeviceCatalogue catalogue_;
    int deviceType_ = 0;
    DeviceLayout layout_;
    LanguageTexts texts_;
    DataStore store_;
    std::unique_ptr<ProfileSetup> profiles_;
    std::unique_ptr<DeviceLink> link_;
};

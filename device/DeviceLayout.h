#pragma once
// The current model's layout file: the mouse picture, whether the lighting page exists, and its
// buttons with their callouts and default assignments. Each section the file gives replaces the
// previous one; a section it lacks leaves the previous one in place.
// Thread contract: one thread at a time; the owner serialises the window thread and the worker.

#include "device/LayoutKey.h"
#include "store/KeyMacroRecord.h"

#include <filesystem>
#include <string>
#include <vector>

class DeviceLayout {
public:
    // The layout file of model `deviceAttr` in `folder`; empty when the key could name a file
    // outside that folder.
    static std::filesystem::path FileFor(const std::filesystem::path& folder, const std::wstring& deviceAttr);

    // False, with every field unchanged, when the file cannot be read or has no mouse root.
    bool Load(const std::filesystem::path& layoutFile);

    const std::wstring& Picture() const { return picture_; }
    bool LightingPageEnabled() const { return lightingPageEnabled_; }
    const std::vector<LayoutKey>& Keys() const { return keys_; }
    // The default assignment of every button, in layout order.
    const std::vector<KeyMacroRecord>& DefaultKeys() const { return defaultKeys_; }

    // Six numbers x1#y1#x2#y2#x3#y3; a missing "#" gives 0 for that number and keeps the rest of
    // the text for the next, so "10#20" gives (10, 0), (0, 0), (0, 20).
    static std::array<LayoutKey::Point, 3> SplitRect(std::wstring_view rect);

private:
    std::wstring picture_;
    bool lightingPageEnabled_ = false;
    std::vector<LayoutKey> keys_;
    std::vector<KeyMacroRecord> defaultKeys_;
};

#pragma once
// The virtual mouse behind a device manager, and a settings store with five default profiles
// (profile 1 active) in a temporary folder: what the sender and the worker need to talk to a mouse.

#include "FrameText.h"
#include "device/DeviceManager.h"
#include "device/VirtualMouse.h"
#include "store/DataStore.h"
#include "store/ProfileSetup.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

inline constexpr int kRigMouseType = 101;
inline constexpr VirtualMouse::LinkIdentity kRigCableId{0x1A2B, 0x0C4D};
inline constexpr VirtualMouse::LinkIdentity kRigReceiverId{0x1A2B, 0x0C4E};
inline constexpr VirtualMouse::LinkIdentity kRigBluetoothId{0x1A2B, 0x0C4F};

struct MouseRig {
    MouseRig()
    {
        std::filesystem::create_directory(folder / "db");
        EXPECT_TRUE(store.OpenDeviceDatabase(folder.Path(), L"M"));
        std::vector<ProfileRecord> profiles;
        ProfileSetup(store, [](int) { return std::wstring(L"Profile"); }).LoadProfiles(profiles);
        devices.AddHidFilter(kRigCableId.vendorId, kRigCableId.productId, L"cable", kRigMouseType, 0);
        devices.AddHidFilter(kRigReceiverId.vendorId, kRigReceiverId.productId, L"receiver", kRigMouseType, 1);
        devices.AddHidFilter(kRigBluetoothId.vendorId, kRigBluetoothId.productId, L"bluetooth", kRigMouseType, 2);
        devices.SetCurrentType(kRigMouseType);
    }

    // Plugs `link` and opens its interfaces, as a rebuilt device list would.
    void PlugAndOpen(VirtualLink link)
    {
        mouse.Plug(link);
        devices.CloseAll();
        devices.EnumerateDevice();
    }

    // Every frame the mouse received since the last call, as hex text without trailing zeros.
    std::vector<std::string> TakeFramesToMouse()
    {
        std::vector<std::string> frames;
        for (const VirtualTraceRecord& record : mouse.Trace()) {
            if (record.direction == VirtualTraceRecord::Direction::ToMouse)
                frames.push_back(TrimmedHexText(record.bytes));
        }
        mouse.ClearTrace();
        return frames;
    }

    void SetKey(const wchar_t* key, const wchar_t* value, int profile = 1)
    {
        EXPECT_TRUE(store.SetConfigValue(profile, key, value));
    }

    // Stores a button assignment of layer 0.
    void Assign(int profile, int keyCode, int macroType, int macroValue, int macroValue2 = 0)
    {
        KeyMacroRecord row;
        row.profile = profile;
        row.key_code = keyCode;
        row.macro_type = macroType;
        row.macro_value = macroValue;
        row.macro_value2 = macroValue2;
        EXPECT_NE(store.SetKeyMacro(row), 0);
    }

    std::wstring Key(const wchar_t* key, int profile = 1)
    {
        std::wstring value;
        store.GetConfigValue(profile, key, value);
        return value;
    }

    // Declared first so the database closes before its folder goes.
    TempFolder folder;
    DataStore store;
    VirtualMouse mouse{kRigCableId, kRigReceiverId, kRigBluetoothId};
    DeviceManager devices{mouse};
};

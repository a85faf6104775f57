#pragma once
// Puts a profile's stored device settings back to what a new profile starts with, as the mouse has
// them after a factory reset: every configuration key at its default, no button assignment (each
// button does its built-in job), and every lighting mode at its default look with mode 0 active.
// A lighting mode keeps its name and parameter bits, which say what the mode is. Macros belong to
// the whole file and stay. All of it is one transaction: on failure nothing changes.
// Thread contract: as DataStore.

#include "store/DataStore.h"

class ProfileSettingsReset {
public:
    explicit ProfileSettingsReset(DataStore& store);

    bool Reset(int profile);

private:
    DataStore& store_;
};

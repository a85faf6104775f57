#pragma once
// The settings store: one SQLite database file per device model, holding profiles, their
// configuration keys, button assignments, lighting rows, and the macros with their events.
//
// The program owns one DataStore. OpenDeviceDatabase switches it to a model's file (creating the
// file with its schema when missing); every record operation then runs on that file. Without an open
// file every operation fails quietly: false, 0, or an empty list. Nothing throws. Texts are
// std::wstring here and UTF-8 in the file. Inserts return the new row's id, or 0 when they fail.
//
// Thread contract: every public operation, opening and closing included, holds one recursive lock
// from its first statement to its last, so the window thread and the device worker may call any
// of them concurrently.

#include "common/TextConvert.h"
#include "store/KeyMacroRecord.h"
#include "store/LightRecord.h"
#include "store/MacroEventRecord.h"
#include "store/MacroRecord.h"
#include "store/ProfileRecord.h"
#include "store/SQLiteDB.h"

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class DataStore {
public:
    DataStore();
    ~DataStore();
    DataStore(const DataStore&) = delete;
    DataStore& operator=(const DataStore&) = delete;

    // Closes the current file, then opens "<dataFolder>/db/<model>_datav1.db", creating it with the
    // schema when it does not exist. The db folder itself is not created. False (and no file open)
    // when the file cannot be opened or created, or when `model` could name a file elsewhere
    // (empty, a path separator, "..").
    bool OpenDeviceDatabase(const std::filesystem::path& dataFolder, std::wstring_view model);
    // Creates the file at the current path with every schema statement. A file whose schema could
    // not be written completely is removed again, so the next open starts afresh.
    bool CreateDatabase();
    bool Close();
    bool IsOpen() const;
    // The path of the current (or last attempted) database file.
    std::filesystem::path DatabasePath() const;

    // Runs `work` as one transaction: its changes are kept only when it returns true and every
    // statement inside it succeeded; otherwise the file is left as it was before.
    bool RunTransaction(const std::function<bool()>& work);

    // Configuration values. SetConfigValue changes an existing key only (and reports success for
    // a missing one); GetConfigValue empties `value` and returns false when the key is missing.
    bool GetConfigValue(int profile, std::wstring_view key, std::wstring& value);
    bool SetConfigValue(int profile, std::wstring_view key, std::wstring_view value);
    // Inserts the default keys of a new profile (ConfigDefaults).
    void InsertDefaultConfig(int profile);

    // Profiles. AddProfile writes the name and app (status and type are written 0) and then the
    // default keys, under the new id (0 when the profile insert failed).
    int AddProfile(const ProfileRecord& record);
    int GetProfiles(std::vector<ProfileRecord>& list);
    // Clears every status, then sets status 1 on `profile`; reports success even when that row is
    // missing, which leaves no profile active.
    bool SetActiveProfile(int profile);
    // The id whose status is 1, or 0.
    int GetActiveProfile();

    // Button assignments of layer 0. SetKeyMacro replaces the button's row; with macro_value and
    // macro_value2 both 0 it only removes it (the button's default) and returns 0.
    int SetKeyMacro(const KeyMacroRecord& record);
    bool GetKeyMacro(int profile, int keyCode, KeyMacroRecord& record);
    bool SetKeyMacroDesc(int profile, int keyCode, std::wstring_view desc);
    int GetKeyMacros(int profile, std::vector<KeyMacroRecord>& list);
    bool DeleteKeyMacros(int profile);

    // Lighting rows, one per mode of a profile; status 1 marks the active mode.
    int GetLightCount(int profile);
    int AddLight(const LightRecord& record);
    // Writes brightness, speed, direction, colorful, colorindex, color_value, config_func and
    // reserved of `record` into the row of (profile, mode).
    bool UpdateLight(int profile, int mode, const LightRecord& record);
    bool SetActiveLight(int profile, int mode);
    int GetActiveLightMode(int profile);
    bool GetLight(int profile, int mode, LightRecord& record);
    int GetLights(int profile, std::vector<LightRecord>& list);

    // Macros belong to the whole file. AddMacro(name) starts with play_type 0, play_times 1,
    // delay_type 1, delay_time 0.
    int AddMacro(std::wstring_view name);
    int AddMacro(const MacroRecord& record);
    bool RenameMacro(int macroId, std::wstring_view name);
    bool UpdateMacro(const MacroRecord& record);
    // Removes the macro and its events together; true also when the id does not exist.
    bool DeleteMacro(int macroId);
    bool GetMacro(int macroId, MacroRecord& record);
    int GetMacros(std::vector<MacroRecord>& list);

    // Macro events, read back ordered by record_index.
    int AddMacroEvent(const MacroEventRecord& record);
    // Adds all events in one transaction; an event that fails is skipped.
    void AddMacroEvents(std::vector<MacroEventRecord> list);
    int GetMacroEvents(int macroId, std::vector<MacroEventRecord>& list);
    bool DeleteMacroEvents(int macroId);

private:
    // A value bound to one placeholder: an integer, or a text converted to UTF-8.
    struct Param {
        Param(int value) : number(value) {}
        Param(std::wstring_view value) : isText(true), text(ToUtf8(value)) {}
        Param(const std::wstring& value) : Param(std::wstring_view(value)) {}
        int number = 0;
        bool isText = false;
        std::string text;
    };
    using Params = std::initializer_list<Param>;

    using RowReader = std::function<void(const SQLiteStatement&)>;

    // Prepares `sql` into `statement`, binds `params` in placeholder order, steps once and returns
    // the code. Any failure is remembered for RunTransaction.
    int Run(SQLiteStatement& statement, const char* sql, Params params);
    // True when the statement ran (SQLITE_OK, SQLITE_ROW or SQLITE_DONE).
    bool Write(const char* sql, Params params);
    // The new row's id, or 0.
    int Insert(const char* sql, Params params);
    // Hands every row to `readRow`; returns the number of rows.
    int ReadRows(const char* sql, Params params, const RowReader& readRow);
    // Hands the first row, if any, to `readRow`; true when there was one.
    bool ReadFirst(const char* sql, Params params, const RowReader& readRow);
    // The first column of the first row, or 0.
    int ReadInt(const char* sql, Params params);

    SQLiteDB connection_;
    mutable std::recursive_mutex lock_;
    std::string dbPath_;
    bool opened_ = false;
    bool statementFailed_ = false;
};

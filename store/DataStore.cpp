#include "store/DataStore.h"

#include "store/ConfigDefaults.h"
#include "store/DatabaseSchema.h"
#include "store/SQLiteAutoTransaction.h"

#include <sqlite3.h>

#include <system_error>

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

constexpr int kOpenExisting = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kOpenOrCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

bool Succeeded(int code)
{
    return code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE;
}

std::wstring TextColumn(const SQLiteStatement& row, int column)
{
    const char* text = row.ColumnText(column);
    return text ? FromUtf8(text) : std::wstring();
}

// A model key names a file inside the db folder and nothing else.
bool IsSafeModelKey(std::wstring_view model)
{
    return !model.empty() && model.find_first_of(L"/\\") == std::wstring_view::npos &&
           model.find(L"..") == std::wstring_view::npos && model.find(L'\0') == std::wstring_view::npos;
}

KeyMacroRecord ReadKeyMacro(const SQLiteStatement& row)
{
    KeyMacroRecord record;
    record.key_id = row.ColumnInt(0);
    record.profile = row.ColumnInt(1);
    record.fn_layer = row.ColumnInt(2);
    record.key_code = row.ColumnInt(3);
    record.layout_value = row.ColumnInt(4);
    record.layout_desc = TextColumn(row, 5);
    record.macro_type = row.ColumnInt(6);
    record.macro_value = row.ColumnInt(7);
    record.macro_value2 = row.ColumnInt(8);
    record.macro_value3 = row.ColumnInt(9);
    record.macro_desc = TextColumn(row, 10);
    return record;
}

LightRecord ReadLight(const SQLiteStatement& row)
{
    LightRecord record;
    record.light_id = row.ColumnInt(0);
    record.profile = row.ColumnInt(1);
    record.name = TextColumn(row, 2);
    record.mode = row.ColumnInt(3);
    record.brightness = row.ColumnInt(4);
    record.speed = row.ColumnInt(5);
    record.direction = row.ColumnInt(6);
    record.colorful = row.ColumnInt(7);
    record.colorindex = row.ColumnInt(8);
    record.color_value = row.ColumnInt(9);
    record.config_func = row.ColumnInt(10);
    record.reserved = row.ColumnInt(11);
    record.status = row.ColumnInt(12);
    return record;
}

MacroRecord ReadMacro(const SQLiteStatement& row)
{
    MacroRecord record;
    record.macro_id = row.ColumnInt(0);
    record.name = TextColumn(row, 1);
    record.play_type = row.ColumnInt(2);
    record.play_times = row.ColumnInt(3);
    record.delay_type = row.ColumnInt(4);
    record.delay_time = row.ColumnInt(5);
    return record;
}

MacroEventRecord ReadMacroEvent(const SQLiteStatement& row)
{
    MacroEventRecord record;
    record.record_id = row.ColumnInt(0);
    record.macro_id = row.ColumnInt(1);
    record.type = row.ColumnInt(2);
    record.record_index = row.ColumnInt(3);
    record.desc = TextColumn(row, 4);
    record.value = row.ColumnInt(5);
    record.delay_time = row.ColumnInt(6);
    return record;
}

ProfileRecord ReadProfile(const SQLiteStatement& row)
{
    ProfileRecord record;
    record.profile = row.ColumnInt(0);
    record.name = TextColumn(row, 1);
    record.status = row.ColumnInt(2);
    record.app = TextColumn(row, 3);
    record.type = row.ColumnInt(4);
    return record;
}

// Fills `list` afresh from `read`, one record per row.
template <typename Record>
std::function<void(const SQLiteStatement&)> AppendTo(std::vector<Record>& list, Record (*read)(const SQLiteStatement&))
{
    list.clear();
    return [&list, read](const SQLiteStatement& row) { list.push_back(read(row)); };
}

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) VALUES (?, ?, ?, ?, ?);";
constexpr const char* kInsertMacroEvent = "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
                                          "\t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?);";
constexpr const char* kDeleteMacroEvents = "DELETE FROM t_macrorecord WHERE macro_id = ?";

} // namespace

DataStore::DataStore() = default;

DataStore::~DataStore()
{
    Close();
}

bool DataStore::OpenDeviceDatabase(const std::filesystem::path& dataFolder, std::wstring_view model)
{
    Lock hold(lock_);
    if (opened_) {
        Close();
    }
    if (!IsSafeModelKey(model)) {
        dbPath_.clear();
        return false;
    }
    dbPath_ = (dataFolder / "db" / (ToUtf8(model) + "_datav1.db")).string();
    std::error_code error;
    if (std::filesystem::exists(dbPath_, error))
        opened_ = connection_.IsOpen() || connection_.Open(dbPath_.c_str(), kOpenExisting);
    else
        opened_ = CreateDatabase();
    return opened_;
}

bool DataStore::CreateDatabase()
{
    Lock hold(lock_);
    if (connection_.IsOpen())
        return true;
    if (dbPath_.empty() || !connection_.Open(dbPath_.c_str(), kOpenOrCreate))
        return false;
    bool created = true;
    {
        // One transaction: a file is never left behind with half a schema.
        SQLiteAutoTransaction transaction(&connection_);
        for (const char* statement : DatabaseSchema::Statements())
            created = connection_.Exec(statement) == SQLITE_OK && created;
        created = created && transaction.Commit();
    }
    if (!created) {
        connection_.Close();
        std::error_code ignored;
        std::filesystem::remove(dbPath_, ignored);
        std::filesystem::remove(dbPath_ + "-journal", ignored);
    }
    return created;
}

bool DataStore::Close()
{
    Lock hold(lock_);
    opened_ = false;
    return connection_.Close();
}

bool DataStore::IsOpen() const
{
    Lock hold(lock_);
    return connection_.IsOpen();
}

std::filesystem::path DataStore::DatabasePath() const
{
    Lock hold(lock_);
    return dbPath_;
}

bool DataStore::RunTransaction(const std::function<bool()>& work)
{
    Lock hold(lock_);
    // A savepoint rather than BEGIN, so that transactions nest (DeleteMacro inside an import).
    if (connection_.Exec("SAVEPOINT store_work") != SQLITE_OK)
        return false;
    const bool failedBefore = statementFailed_;
    statementFailed_ = false;
    bool kept = false;
    try {
        kept = work() && !statementFailed_;
    } catch (...) {
        kept = false;
    }
    kept = kept && connection_.Exec("RELEASE store_work") == SQLITE_OK;
    if (!kept) {
        connection_.Exec("ROLLBACK TO store_work");
        connection_.Exec("RELEASE store_work");
    }
    statementFailed_ = failedBefore || !kept;
    return kept;
}

int DataStore::Run(SQLiteStatement& statement, const char* sql, Params params)
{
    int code = connection_.Prepare(statement, sql);
    int index = 1;
    for (const Param& param : params) {
        if (code != SQLITE_OK)
            break;
        code = param.isText ? statement.BindText(index, param.text.c_str(), static_cast<int>(param.text.size()))
                            : statement.BindInt(index, param.number);
        ++index;
    }
    if (code == SQLITE_OK)
        code = statement.Step();
    statementFailed_ = statementFailed_ || !Succeeded(code);
    return code;
}

bool DataStore::Write(const char* sql, Params params)
{
    SQLiteStatement statement;
    return Succeeded(Run(statement, sql, params));
}

int DataStore::Insert(const char* sql, Params params)
{
    SQLiteStatement statement;
    if (!Succeeded(Run(statement, sql, params)))
        return 0;
    return static_cast<int>(connection_.LastInsertRowId());
}

int DataStore::ReadRows(const char* sql, Params params, const RowReader& readRow)
{
    SQLiteStatement statement;
    int rows = 0;
    int code = Run(statement, sql, params);
    for (; code == SQLITE_ROW; code = statement.Step()) {
        readRow(statement);
        ++rows;
    }
    statementFailed_ = statementFailed_ || !Succeeded(code);
    return rows;
}

bool DataStore::ReadFirst(const char* sql, Params params, const RowReader& readRow)
{
    SQLiteStatement statement;
    if (Run(statement, sql, params) != SQLITE_ROW)
        return false;
    readRow(statement);
    return true;
}

int DataStore::ReadInt(const char* sql, Params params)
{
    int value = 0;
    ReadFirst(sql, params, [&](const SQLiteStatement& row) { value = row.ColumnInt(0); });
    return value;
}

bool DataStore::GetConfigValue(int profile, std::wstring_view key, std::wstring& value)
{
    Lock hold(lock_);
    value.clear();
    return ReadFirst("SELECT value FROM t_configdata WHERE profile = ? and key = ?", {profile, key},
                     [&](const SQLiteStatement& row) { value = TextColumn(row, 0); });
}

bool DataStore::SetConfigValue(int profile, std::wstring_view key, std::wstring_view value)
{
    Lock hold(lock_);
    return Write("UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?", {value, profile, key});
}

void DataStore::InsertDefaultConfig(int profile)
{
    Lock hold(lock_);
    for (const ConfigDefaults::Entry& entry : ConfigDefaults::Keys()) {
        Write("INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);",
              {profile, std::wstring_view(entry.key), std::wstring_view(entry.value)});
    }
}

int DataStore::AddProfile(const ProfileRecord& record)
{
    Lock hold(lock_);
    // One commit for the profile and its keys rather than one disk flush per row.
    SQLiteAutoTransaction transaction(&connection_);
    const int profile =
        Insert("INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);", {record.name, 0, record.app, 0});
    InsertDefaultConfig(profile);
    transaction.Commit();
    return profile;
}

int DataStore::GetProfiles(std::vector<ProfileRecord>& list)
{
    Lock hold(lock_);
    return ReadRows("SELECT * FROM t_profile_data", {}, AppendTo(list, ReadProfile));
}

bool DataStore::SetActiveProfile(int profile)
{
    Lock hold(lock_);
    Write("UPDATE t_profile_data SET status = ?", {0});
    return Write("UPDATE t_profile_data SET status = ? WHERE profile = ?", {1, profile});
}

int DataStore::GetActiveProfile()
{
    Lock hold(lock_);
    return ReadInt("SELECT profile FROM t_profile_data WHERE status = ?", {1});
}

int DataStore::SetKeyMacro(const KeyMacroRecord& record)
{
    Lock hold(lock_);
    Write("DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
          {record.profile, record.fn_layer, record.key_code});
    if (record.macro_value == 0 && record.macro_value2 == 0)
        return 0;
    return Insert("INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc,                     "
                  "macro_type, macro_value, macro_value2, macro_value3, macro_desc) \t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                  {record.profile, record.fn_layer, record.key_code, record.layout_value, record.layout_desc,
                   record.macro_type, record.macro_value, record.macro_value2, record.macro_value3, record.macro_desc});
}

bool DataStore::GetKeyMacro(int profile, int keyCode, KeyMacroRecord& record)
{
    Lock hold(lock_);
    return ReadFirst("SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?", {profile, 0, keyCode},
                     [&](const SQLiteStatement& row) { record = ReadKeyMacro(row); });
}

bool DataStore::SetKeyMacroDesc(int profile, int keyCode, std::wstring_view desc)
{
    Lock hold(lock_);
    return Write("UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and key_code = ?",
                 {desc, profile, 0, keyCode});
}

int DataStore::GetKeyMacros(int profile, std::vector<KeyMacroRecord>& list)
{
    Lock hold(lock_);
    return ReadRows("SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?", {profile, 0},
                    AppendTo(list, ReadKeyMacro));
}

bool DataStore::DeleteKeyMacros(int profile)
{
    Lock hold(lock_);
    return Write("DELETE FROM t_key_macro_data WHERE profile = ?", {profile});
}

int DataStore::GetLightCount(int profile)
{
    Lock hold(lock_);
    return ReadInt("select count(*) FROM t_light_data WHERE profile = ?", {profile});
}

int DataStore::AddLight(const LightRecord& record)
{
    Lock hold(lock_);
    return Insert("INSERT INTO t_light_data(profile, name, mode, brightness, speed, direction, \t\t\t\t\t colorful, "
                  "colorindex, color_value, config_func, reserved, status) \t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                  {record.profile, record.name, record.mode, record.brightness, record.speed, record.direction,
                   record.colorful, record.colorindex, record.color_value, record.config_func, record.reserved,
                   record.status});
}

bool DataStore::UpdateLight(int profile, int mode, const LightRecord& record)
{
    Lock hold(lock_);
    return Write("UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, colorful = ?, colorindex = ?,\t\t\t "
                 "color_value = ?, config_func = ?, reserved = ? WHERE profile = ? AND mode = ?",
                 {record.brightness, record.speed, record.direction, record.colorful, record.colorindex,
                  record.color_value, record.config_func, record.reserved, profile, mode});
}

bool DataStore::SetActiveLight(int profile, int mode)
{
    Lock hold(lock_);
    Write("UPDATE t_light_data SET status = ? WHERE profile = ?", {0, profile});
    return Write("UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?", {1, profile, mode});
}

int DataStore::GetActiveLightMode(int profile)
{
    Lock hold(lock_);
    return ReadInt("SELECT mode FROM t_light_data WHERE profile = ? and status = ?", {profile, 1});
}

bool DataStore::GetLight(int profile, int mode, LightRecord& record)
{
    Lock hold(lock_);
    return ReadFirst("SELECT * FROM t_light_data WHERE profile = ? AND mode = ?", {profile, mode},
                     [&](const SQLiteStatement& row) { record = ReadLight(row); });
}

int DataStore::GetLights(int profile, std::vector<LightRecord>& list)
{
    Lock hold(lock_);
    return ReadRows("SELECT * FROM t_light_data WHERE profile = ?", {profile}, AppendTo(list, ReadLight));
}

int DataStore::AddMacro(std::wstring_view name)
{
    Lock hold(lock_);
    return Insert(kInsertMacro, {name, 0, 1, 1, 0});
}

int DataStore::AddMacro(const MacroRecord& record)
{
    Lock hold(lock_);
    return Insert(kInsertMacro, {record.name, record.play_type, record.play_times, record.delay_type, record.delay_time});
}

bool DataStore::RenameMacro(int macroId, std::wstring_view name)
{
    Lock hold(lock_);
    return Write("UPDATE t_macro_data SET name = ? WHERE macro_id = ?", {name, macroId});
}

bool DataStore::UpdateMacro(const MacroRecord& record)
{
    Lock hold(lock_);
    return Write("UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = ?,delay_time = ? WHERE macro_id = ?",
                 {record.name, record.play_type, record.play_times, record.delay_type, record.delay_time, record.macro_id});
}

bool DataStore::DeleteMacro(int macroId)
{
    Lock hold(lock_);
    // Together, so that a failure never leaves events without their macro.
    return RunTransaction([&] {
        return Write("DELETE FROM t_macro_data WHERE macro_id = ?", {macroId}) && Write(kDeleteMacroEvents, {macroId});
    });
}

bool DataStore::GetMacro(int macroId, MacroRecord& record)
{
    Lock hold(lock_);
    return ReadFirst("SELECT * FROM t_macro_data WHERE macro_id = ?", {macroId},
                     [&](const SQLiteStatement& row) { record = ReadMacro(row); });
}

int DataStore::GetMacros(std::vector<MacroRecord>& list)
{
    Lock hold(lock_);
    return ReadRows("SELECT * FROM t_macro_data", {}, AppendTo(list, ReadMacro));
}

int DataStore::AddMacroEvent(const MacroEventRecord& record)
{
    Lock hold(lock_);
    return Insert(kInsertMacroEvent,
                  {record.macro_id, record.type, record.record_index, record.desc, record.value, record.delay_time});
}

void DataStore::AddMacroEvents(std::vector<MacroEventRecord> list)
{
    Lock hold(lock_);
    SQLiteAutoTransaction transaction(&connection_);
    for (const MacroEventRecord& record : list)
        AddMacroEvent(record);
    transaction.Commit();
}

int DataStore::GetMacroEvents(int macroId, std::vector<MacroEventRecord>& list)
{
    Lock hold(lock_);
    return ReadRows("SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC", {macroId},
                    AppendTo(list, ReadMacroEvent));
}

bool DataStore::DeleteMacroEvents(int macroId)
{
    Lock hold(lock_);
    return Write(kDeleteMacroEvents, {macroId});
}

#pragma once
// A DataStore opened on a fresh database "M" in a temporary data folder, and a second, independent
// connection to the same file for looking at (or tampering with) what the store wrote.

#include "store/DataStore.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using SqlRows = std::vector<std::vector<std::string>>;

// Runs `sql` on its own connection to `file` and returns every row, NULL as "<null>".
inline SqlRows QueryFile(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* raw = nullptr;
    sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, decltype(&sqlite3_close)> connection(raw, &sqlite3_close);
    SqlRows rows;
    char* error = nullptr;
    const int code = sqlite3_exec(
        connection.get(), sql.c_str(),
        [](void* out, int columns, char** values, char**) {
            std::vector<std::string> row;
            for (int i = 0; i < columns; ++i)
                row.emplace_back(values[i] ? values[i] : "<null>");
            static_cast<SqlRows*>(out)->push_back(row);
            return 0;
        },
        &rows, &error);
    EXPECT_EQ(code, SQLITE_OK) << sql << ": " << (error ? error : "");
    sqlite3_free(error);
    return rows;
}

class StoreFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder_ / "db");
        ASSERT_TRUE(store_.OpenDeviceDatabase(folder_.Path(), L"M"));
    }

    std::filesystem::path File() const { return folder_ / "db/M_datav1.db"; }
    SqlRows Query(const std::string& sql) const { return QueryFile(File(), sql); }

    TempFolder folder_;
    DataStore store_;
};

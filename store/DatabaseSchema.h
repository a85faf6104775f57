#pragma once
// The statements that create a new settings database: ten tables and seven indexes, run in this
// order. Four tables (t_key_otherdata, t_key_light_data, t_ledlayer_data, t_ledframe_data) are part
// of every file but no operation reads or writes them.
// Thread contract: immutable data, readable from any thread.

#include <array>

class DatabaseSchema {
public:
    static const std::array<const char*, 17>& Statements();
};

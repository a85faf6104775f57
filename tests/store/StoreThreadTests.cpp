#include "store/DataStore.h"

#include "store/StoreFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace {
class StoreThreads : public StoreFixture {};
} // namespace

// The window thread and the device worker use the store at once, and the worker may switch model
// files meanwhile; every operation must see a whole file, never a half-switched connection.
TEST_F(StoreThreads, OperationsAndFileSwitchesDoNotInterleave)
{
    std::filesystem::path folder = folder_.Path();
    ASSERT_EQ(store_.AddProfile(ProfileRecord{}), 1);
    ASSERT_TRUE(store_.OpenDeviceDatabase(folder, L"N"));
    ASSERT_EQ(store_.AddProfile(ProfileRecord{}), 1);

    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i)
            store_.OpenDeviceDatabase(folder, i % 2 ? L"M" : L"N");
        done = true;
    });
    int reads = 0;
    while (!done || reads == 0) {
        std::wstring value;
        store_.SetConfigValue(1, L"dpi_index", std::to_wstring(reads % 6));
        if (store_.GetConfigValue(1, L"dpi_index", value)) {
            EXPECT_FALSE(value.empty());
        }
        ++reads;
    }
    worker.join();
    EXPECT_TRUE(store_.IsOpen());
}

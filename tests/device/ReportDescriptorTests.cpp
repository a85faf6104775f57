#include "device/ReportDescriptor.h"
#include "device/ScriptedHidApi.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

struct LengthCase {
    const char* name;
    Bytes descriptor;
    std::vector<HidUsage> topLevel;
    int input;
    int output;
    int feature;
};

TEST(ReportDescriptor, FindsTopLevelCollectionsAndLongestReports)
{
    Bytes pointerThenVendor = PointerDescriptor();
    const Bytes vendor = VendorDescriptor(32, 64);
    pointerThenVendor.insert(pointerThenVendor.end(), vendor.begin(), vendor.end());
    const LengthCase cases[] = {
        // 32 and 64 data bytes plus the report id byte.
        {"vendor", VendorDescriptor(32, 64), {{0xFF91, 0}}, 33, 65, 0},
        {"vendor long input", VendorDescriptor(100, 64), {{0xFF91, 0}}, 101, 65, 0},
        // Eight unnumbered bits: one data byte, and the id byte is still counted.
        {"pointer", PointerDescriptor(), {{0x0001, 0x0002}}, 2, 0, 0},
        {"nested vendor is not top-level", NestedVendorDescriptor(), {{0x0001, 0x0002}}, 0, 65, 0},
        {"two top-level collections", pointerThenVendor, {{0x0001, 0x0002}, {0xFF91, 0}}, 33, 65, 0},
        // A four-byte usage names its own page; feature report 3 of 2 x 12 bits = 3 bytes.
        {"extended usage and feature",
         {0x0B, 0x00, 0x00, 0x91, 0xFF, 0xA1, 0x01, 0x85, 0x03, 0x75, 0x0C, 0x95, 0x02, 0xB1, 0x02, 0xC0},
         {{0xFF91, 0}}, 0, 0, 4},
        // Push and pop restore the report size, and a long item is stepped over.
        {"push, pop and long item",
         {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0xA4, 0x75, 0x10, 0xB4, 0xFE, 0x02, 0x10, 0xAA, 0xBB,
          0x95, 0x03, 0x81, 0x02, 0xC0},
         {{0x0001, 0x0002}}, 4, 0, 0},
        {"empty", {}, {}, 0, 0, 0},
    };
    for (const LengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ReportDescriptor::Parse(c.descriptor);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->TopLevelCollections(), c.topLevel);
        EXPECT_EQ(parsed->InputReportLength(), c.input);
        EXPECT_EQ(parsed->OutputReportLength(), c.output);
        EXPECT_EQ(parsed->FeatureReportLength(), c.feature);
    }
}

TEST(ReportDescriptor, RefusesMalformedBytes)
{
    const Bytes whole = VendorDescriptor(32, 64);
    const Bytes truncated(whole.begin(), whole.end() - 2); // cuts the last item and the collection end
    const std::pair<const char*, Bytes> cases[] = {
        {"item data cut short", {0x06, 0x91}},
        {"collection never ends", {0x06, 0x91, 0xFF, 0x09, 0x00, 0xA1, 0x01}},
        {"end without collection", {0xC0}},
        {"pop without push", {0xB4}},
        {"long item cut short", {0xFE, 0x05, 0x10, 0x01}},
        {"long item without size", {0xFE}},
        {"report cut off", truncated},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ReportDescriptor::Parse(bytes).has_value());
    }
}

TEST(ReportDescriptor, HugeCountsDoNotOverflowTheLengths)
{
    // Report size and count of 0xFFFFFFFF each, declared twice.
    const Bytes bytes = {0x06, 0x91, 0xFF, 0x09, 0x00, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF,
                         0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02, 0xC0};
    const auto parsed = ReportDescriptor::Parse(bytes);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_GT(parsed->InputReportLength(), 0);
    EXPECT_LE(parsed->InputReportLength(), (1 << 17) + 1);
}

} // namespace

#pragma once
// What the device link needs to know from a HID report descriptor: its top-level collections and the
// length of its longest input, output and feature report. Lengths count the report id byte, whether
// or not the descriptor numbers its reports, so a buffer of that length always holds a whole report.
// Thread contract: immutable after Parse; any thread.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct HidUsage {
    std::uint16_t page = 0;
    std::uint16_t usage = 0;
    bool operator==(const HidUsage&) const = default;
};

class ReportDescriptor {
public:
    // The usage of the mouse's vendor collection, the only one the program talks to.
    static constexpr HidUsage kVendorCollection{0xFF91, 0x0000};

    // Null when the bytes are not a well-formed descriptor (an item cut short, unbalanced
    // collections, a pop without a push).
    static std::optional<ReportDescriptor> Parse(std::span<const unsigned char> bytes);

    const std::vector<HidUsage>& TopLevelCollections() const { return topLevel_; }
    bool HasTopLevelCollection(HidUsage usage) const;

    int InputReportLength() const { return inputLength_; }
    int OutputReportLength() const { return outputLength_; }
    int FeatureReportLength() const { return featureLength_; }

private:
    std::vector<HidUsage> topLevel_;
    int inputLength_ = 0;
    int outputLength_ = 0;
    int featureLength_ = 0;
};

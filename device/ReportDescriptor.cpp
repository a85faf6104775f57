#include "device/ReportDescriptor.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

enum class ItemType { Main = 0, Global = 1, Local = 2, Reserved = 3 };

// Tags of the short items that matter here.
constexpr int kInputTag = 0x8;
constexpr int kOutputTag = 0x9;
constexpr int kCollectionTag = 0xA;
constexpr int kFeatureTag = 0xB;
constexpr int kEndCollectionTag = 0xC;
constexpr int kUsagePageTag = 0x0;
constexpr int kReportSizeTag = 0x7;
constexpr int kReportIdTag = 0x8;
constexpr int kReportCountTag = 0x9;
constexpr int kPushTag = 0xA;
constexpr int kPopTag = 0xB;
constexpr int kUsageTag = 0x0;
constexpr unsigned char kLongItemPrefix = 0xFE;

// A report of more bits than this is no real report; capping keeps the sums from overflowing.
constexpr std::uint64_t kMaxReportBits = 1u << 20;

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

// Bits per report id, for one of input, output and feature.
using ReportBits = std::map<std::uint32_t, std::uint64_t>;

int LongestReport(const ReportBits& reports)
{
    std::uint64_t longest = 0;
    for (const auto& [id, bits] : reports) {
        longest = std::max(longest, bits);
    }
    if (reports.empty()) {
        return 0;
    }
    return static_cast<int>((longest + 7) / 8) + 1;
}

} // namespace

std::optional<ReportDescriptor> ReportDescriptor::Parse(std::span<const unsigned char> bytes)
{
    ReportDescriptor result;
    GlobalState global;
    std::vector<GlobalState> pushed;
    // The first usage since the last main item names a collection.
    bool hasUsage = false;
    std::uint32_t firstUsage = 0;
    int depth = 0;
    std::array<ReportBits, 3> reports; // input, output, feature

    std::size_t at = 0;
    while (at < bytes.size()) {
        const unsigned char prefix = bytes[at];
        if (prefix == kLongItemPrefix) {
            // Long items carry a size byte and a tag byte before their data; nothing here uses them.
            if (at + 1 >= bytes.size()) {
                return std::nullopt;
            }
            const std::size_t next = at + 3 + bytes[at + 1];
            if (next > bytes.size()) {
                return std::nullopt;
            }
            at = next;
            continue;
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
        if (at + 1 + size > bytes.size()) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<std::uint32_t>(bytes[at + 1 + i]) << (8 * i);
        }
        const auto type = static_cast<ItemType>((prefix >> 2) & 3);
        const int tag = prefix >> 4;
        at += 1 + size;

        if (type == ItemType::Global) {
            switch (tag) {
            case kUsagePageTag: global.usagePage = value; break;
            case kReportSizeTag: global.reportSize = value; break;
            case kReportIdTag: global.reportId = value; break;
            case kReportCountTag: global.reportCount = value; break;
            case kPushTag: pushed.push_back(global); break;
            case kPopTag:
                if (pushed.empty()) {
                    return std::nullopt;
                }
                global = pushed.back();
                pushed.pop_back();
                break;
            default: break;
            }
            continue;
        }
        if (type == ItemType::Local) {
            if (tag == kUsageTag && !hasUsage) {
                // A four-byte usage carries its own page in the high half.
                firstUsage = size == 4 ? value : ((global.usagePage & 0xFFFF) << 16) | (value & 0xFFFF);
                hasUsage = true;
            }
            continue;
        }
        if (type != ItemType::Main) {
            continue;
        }
        switch (tag) {
        case kCollectionTag:
            if (depth == 0) {
                const std::uint32_t usage = hasUsage ? firstUsage : (global.usagePage & 0xFFFF) << 16;
                result.topLevel_.push_back(
                    {static_cast<std::uint16_t>(usage >> 16), static_cast<std::uint16_t>(usage & 0xFFFF)});
            }
            ++depth;
            break;
        case kEndCollectionTag:
            if (depth == 0) {
                return std::nullopt;
            }
            --depth;
            break;
        case kInputTag:
        case kOutputTag:
        case kFeatureTag: {
            const int kind = tag == kInputTag ? 0 : tag == kOutputTag ? 1 : 2;
            std::uint64_t& bits = reports[kind][global.reportId];
            const std::uint64_t added = std::min<std::uint64_t>(
                static_cast<std::uint64_t>(global.reportSize) * global.reportCount, kMaxReportBits);
            bits = std::min(bits + added, kMaxReportBits);
            break;
        }
        default: break;
        }
        hasUsage = false;
    }
    if (depth != 0) {
        return std::nullopt;
    }
    result.inputLength_ = LongestReport(reports[0]);
    result.outputLength_ = LongestReport(reports[1]);
    result.featureLength_ = LongestReport(reports[2]);
    return result;
}

bool ReportDescriptor::HasTopLevelCollection(HidUsage usage) const
{
    return std::find(topLevel_.begin(), topLevel_.end(), usage) != topLevel_.end();
}

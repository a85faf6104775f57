// Any records the store can hold (imported profile and macro files put arbitrary numbers there) and
// any report the mouse can send must stay inside the protocol's bounds.

#include "device/ButtonEntryEncoder.h"
#include "device/DeviceNotification.h"
#include "device/MacroAreaEncoder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

MacroEventRecord FuzzedEvent(FuzzedDataProvider& data)
{
    static const wchar_t* const kDescriptions[] = {L"", L"Scroll Up", L"Scroll Down", L"Left Button"};
    MacroEventRecord event;
    event.type = data.ConsumeIntegralInRange(-1, 14);
    event.value = data.ConsumeIntegral<int>();
    event.desc = kDescriptions[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kDescriptions) - 1)];
    return event;
}

void CheckMacroArea(FuzzedDataProvider& data)
{
    std::vector<MacroWithEvents> macros(data.ConsumeIntegralInRange(0, 40));
    for (MacroWithEvents& macro : macros) {
        macro.macro.macro_id = data.ConsumeIntegralInRange(0, 50);
        macro.macro.delay_type = data.ConsumeIntegralInRange(0, 3);
        macro.macro.delay_time = data.ConsumeIntegral<int>();
        macro.macro.play_times = data.ConsumeIntegral<int>();
        macro.macro.play_type = data.ConsumeIntegral<int>();
        // Runs of one event reach the area's 4000-byte end from small inputs.
        const int runs = data.ConsumeIntegralInRange(0, 64);
        for (int i = 0; i < runs && data.remaining_bytes() > 0; ++i)
            macro.events.insert(macro.events.end(), data.ConsumeIntegralInRange(1, 400), FuzzedEvent(data));
    }
    const std::vector<unsigned char> area = EncodeMacroArea(macros);
    Require(area.size() >= kMacroIndexSize && area.size() <= kMacroAreaMaxSize && area.size() % 4 == 0);
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
        const std::size_t start = area[4 * slot] | (area[4 * slot + 1] << 8);
        const std::size_t count = area[4 * slot + 2] | (area[4 * slot + 3] << 8);
        Require(count == 0 || (start >= kMacroIndexSize && start + 4 * count <= area.size()));
    }
    const std::vector<CommandFrame> frames = BuildMacroAreaFrames(area);
    Require(frames.size() == area.size() / kMacroChunkSize + 1);

    KeyMacroRecord row;
    row.key_code = data.ConsumeIntegralInRange(-1, 6);
    row.macro_type = data.ConsumeIntegralInRange(-1, 12);
    row.macro_value = data.ConsumeIntegral<int>();
    row.macro_value2 = data.ConsumeIntegral<int>();
    row.macro_value3 = data.ConsumeIntegral<int>();
    std::vector<MacroRecord> list;
    for (const MacroWithEvents& macro : macros)
        list.push_back(macro.macro);
    const ButtonEntry entry = EncodeButtonEntry(row, list);
    Require(entry[0] != 0x60 || entry[1] < kMacroSlotCount);
    const KeyMacroRecord rows[] = {row};
    Require(BuildButtonFrame(rows, list)[2] == 4 * kButtonEntryCount);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    if (size > 0 && bytes[0] == 0x0C) {
        const auto notification = DeviceNotification::Decode(std::span(bytes, size));
        Require(!notification || (notification->BatteryLevel() <= 127 && size >= 8));
        DeviceNotification::LogLine(std::span(bytes, size));
        return 0;
    }
    FuzzedDataProvider data(bytes, size);
    CheckMacroArea(data);
    return 0;
}

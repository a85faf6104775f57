#include "device/MacroAreaEncoder.h"

#include "device/KeyCodeTables.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t kSlotSize = 4;

// Event types of a macro event record.
enum EventType {
    kDelay = 1,
    kKeyPress = 2,
    kKeyRelease = 3,
    kButtonPress = 4,
    kButtonRelease = 5,
    kWheelUp = 6,
    kWheelDown = 7,
    kFirstSpecial = 8,
    kLastSpecial = 11,
    kMove = 12,
};

// Flags byte: event class in the low bits, bit 7 marks the last event of a macro.
constexpr unsigned char kModifierPress = 0x41;
constexpr unsigned char kKeyPressClass = 0x42;
constexpr unsigned char kButtonPressClass = 0x43;
constexpr unsigned char kWheelClass = 0x44;
constexpr unsigned char kModifierRelease = 0x01;
constexpr unsigned char kKeyReleaseClass = 0x02;
constexpr unsigned char kButtonReleaseClass = 0x03;
constexpr unsigned char kSpecialClass = 0x06;
constexpr unsigned char kLastEventBit = 0x80;

constexpr unsigned char kWheelUpCode = 0x01;
constexpr unsigned char kWheelDownCode = 0xFF;

// A macro whose delay type is 2 plays every event after one fixed delay.
constexpr int kFixedDelayType = 2;
// Delay of an event that follows another with no delay event between them.
constexpr int kDefaultDelayMs = 10;
// Delay accumulated before a macro's first event.
constexpr int kMacroStartDelayMs = 1;
constexpr std::int64_t kMaxDelay = 0xFFFF;
// A move slot keeps the two top bits of its delay for the signs of its offsets.
constexpr std::int64_t kMaxMoveDelay = 0x3FFF;
constexpr unsigned char kMoveXNegative = 0x80;
constexpr unsigned char kMoveYNegative = 0x40;
// A move offset travels as 4 bits plus a sign flag.
constexpr int kMinMoveOffset = -16;
constexpr int kMaxMoveOffset = 15;

// What one event record becomes in its slot.
struct SlotContent {
    unsigned char flags = 0;
    unsigned char code = 0;
    unsigned char delayHighFlags = 0; // OR-ed into byte 1 on top of the delay
    bool counted = false;
};

SlotContent KeySlot(const MacroEventRecord& event, unsigned char modifierClass, unsigned char keyClass)
{
    const int usage = VirtualKeyToUsage(event.value);
    return {IsModifierUsage(usage) ? modifierClass : keyClass, LowByte(usage), 0, true};
}

// Recorded wheel turns arrive as button events named after their direction.
SlotContent ButtonSlot(const MacroEventRecord& event, unsigned char buttonClass)
{
    if (event.desc.find(L"Scroll Up") != std::wstring::npos)
        return {kWheelClass, kWheelUpCode, 0, true};
    if (event.desc.find(L"Scroll Down") != std::wstring::npos)
        return {kWheelClass, kWheelDownCode, 0, true};
    return {buttonClass, LowByte(event.value), 0, true};
}

int MoveOffset(int byte)
{
    return std::clamp(static_cast<int>(static_cast<std::int8_t>(LowByte(byte))), kMinMoveOffset, kMaxMoveOffset);
}

SlotContent MoveSlot(const MacroEventRecord& event)
{
    const int x = MoveOffset(event.value);
    const int y = MoveOffset(event.value >> 8);
    SlotContent slot{kSpecialClass, LowByte(((x & 0x0F) << 4) | (y & 0x0F)), 0, true};
    if (x < 0)
        slot.delayHighFlags |= kMoveXNegative;
    if (y < 0)
        slot.delayHighFlags |= kMoveYNegative;
    return slot;
}

SlotContent EncodeEvent(const MacroEventRecord& event)
{
    switch (event.type) {
    case kKeyPress:
        return KeySlot(event, kModifierPress, kKeyPressClass);
    case kKeyRelease:
        return KeySlot(event, kModifierRelease, kKeyReleaseClass);
    case kButtonPress:
        return ButtonSlot(event, kButtonPressClass);
    case kButtonRelease:
        return ButtonSlot(event, kButtonReleaseClass);
    case kWheelUp:
        return {kWheelClass, kWheelUpCode, 0, true};
    case kWheelDown:
        return {kWheelClass, kWheelDownCode, 0, true};
    case kMove:
        return MoveSlot(event);
    default:
        if (event.type >= kFirstSpecial && event.type <= kLastSpecial)
            return {kSpecialClass, LowByte(event.value), 0, true};
        // Unknown events keep their place and delay but play nothing.
        return {};
    }
}

// Slots a macro occupies: one per event that is not a delay, plus one for a trailing delay.
std::size_t SlotsNeeded(const std::vector<MacroEventRecord>& events)
{
    const auto eventSlots = std::count_if(events.begin(), events.end(),
                                          [](const MacroEventRecord& event) { return event.type != kDelay; });
    const bool trailingDelay = !events.empty() && events.back().type == kDelay;
    return static_cast<std::size_t>(eventSlots) + (trailingDelay ? 1 : 0);
}

// Writes the macros one after the other into the area, keeping the offset of the next free slot.
class MacroAreaWriter {
public:
    MacroAreaWriter() : area_(kMacroAreaMaxSize, 0) {}

    void WriteMacro(std::size_t slot, const MacroWithEvents& macro)
    {
        unsigned char* indexEntry = &area_[kSlotSize * slot];
        PutLittleEndian16(indexEntry, static_cast<int>(next_));
        if (next_ + kSlotSize * SlotsNeeded(macro.events) > kMacroAreaMaxSize)
            return;
        const bool fixedDelay = macro.macro.delay_type == kFixedDelayType;
        std::int64_t pendingDelay = kMacroStartDelayMs;
        int counted = 0;
        for (std::size_t j = 0; j < macro.events.size(); ++j) {
            const MacroEventRecord& event = macro.events[j];
            const bool last = j + 1 == macro.events.size();
            if (event.type == kDelay) {
                pendingDelay = fixedDelay ? macro.macro.delay_time : pendingDelay + event.value;
                if (last)
                    PutSlot(pendingDelay, kMaxDelay, SlotContent{kLastEventBit, 0, 0, false});
                continue;
            }
            std::int64_t delay = 0;
            // The very first slot of the area plays at once.
            if (next_ > kMacroIndexSize)
                delay = fixedDelay ? macro.macro.delay_time : pendingDelay > 0 ? pendingDelay : kDefaultDelayMs;
            SlotContent content = EncodeEvent(event);
            if (last)
                content.flags |= kLastEventBit;
            counted += content.counted ? 1 : 0;
            PutSlot(delay, event.type == kMove ? kMaxMoveDelay : kMaxDelay, content);
            PutLittleEndian16(indexEntry + 2, counted);
            pendingDelay = 0;
        }
    }

    std::vector<unsigned char> Take() &&
    {
        area_.resize(next_);
        return std::move(area_);
    }

private:
    void PutSlot(std::int64_t delay, std::int64_t maxDelay, const SlotContent& content)
    {
        unsigned char* slot = &area_[next_];
        PutLittleEndian16(slot, static_cast<int>(std::clamp<std::int64_t>(delay, 0, maxDelay)));
        slot[1] |= content.delayHighFlags;
        slot[2] = content.flags;
        slot[3] = content.code;
        next_ += kSlotSize;
    }

    std::vector<unsigned char> area_;
    std::size_t next_ = kMacroIndexSize;
};

} // namespace

std::vector<unsigned char> EncodeMacroArea(std::span<const MacroWithEvents> macros)
{
    MacroAreaWriter writer;
    const std::size_t written = std::min(macros.size(), kMacroSlotCount);
    for (std::size_t slot = 0; slot < written; ++slot)
        writer.WriteMacro(slot, macros[slot]);
    return std::move(writer).Take();
}

std::vector<CommandFrame> BuildMacroAreaFrames(std::span<const unsigned char> area)
{
    const std::size_t size = std::min(area.size(), kMacroAreaMaxSize);
    std::vector<CommandFrame> frames;
    for (std::size_t start = 0; start <= size; start += kMacroChunkSize) {
        const std::size_t length = std::min(kMacroChunkSize, size - start);
        frames.push_back(MakeCommandFrame(DeviceCommand::MacroAreaChunk, area.subspan(start, length),
                                          static_cast<std::uint16_t>(start)));
    }
    return frames;
}

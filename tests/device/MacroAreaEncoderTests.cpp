#include "device/MacroAreaEncoder.h"

#include "FrameText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

constexpr int kVkA = 65;
constexpr int kVkB = 66;
constexpr int kVkLeftCtrl = 162;

MacroEventRecord Event(int type, int value, const wchar_t* desc = L"")
{
    MacroEventRecord event;
    event.type = type;
    event.value = value;
    event.desc = desc;
    return event;
}

MacroEventRecord Delay(int ms) { return Event(1, ms); }
MacroEventRecord Press(int key) { return Event(2, key); }
MacroEventRecord Release(int key) { return Event(3, key); }
MacroEventRecord Move(int x, int y) { return Event(12, (x & 0xFF) | ((y & 0xFF) << 8)); }

MacroWithEvents Macro(std::vector<MacroEventRecord> events, int delayType = 0, int delayTime = 0)
{
    MacroWithEvents macro;
    macro.macro.delay_type = delayType;
    macro.macro.delay_time = delayTime;
    macro.events = std::move(events);
    return macro;
}

std::string Slot(const std::vector<unsigned char>& area, std::size_t offset)
{
    return offset + 4 <= area.size() ? HexText(std::span(area).subspan(offset, 4)) : "past the end";
}

std::string IndexEntry(const std::vector<unsigned char>& area, std::size_t slot) { return Slot(area, 4 * slot); }

} // namespace

TEST(MacroArea, WorkedExample)
{
    const std::vector<MacroWithEvents> macros = {Macro({Press(kVkA), Delay(50), Release(kVkA)})};
    const std::vector<unsigned char> area = EncodeMacroArea(macros);
    ASSERT_EQ(area.size(), 136u);
    EXPECT_EQ(IndexEntry(area, 0), "80 00 02 00");
    EXPECT_EQ(Slot(area, 128), "00 00 42 04");
    EXPECT_EQ(Slot(area, 132), "32 00 82 04");
    for (std::size_t slot = 1; slot < kMacroSlotCount; ++slot)
        EXPECT_EQ(IndexEntry(area, slot), "00 00 00 00") << slot;

    const std::vector<CommandFrame> frames = BuildMacroAreaFrames(area);
    ASSERT_EQ(frames.size(), 6u);
    EXPECT_EQ(FrameText(frames[0]), "0C 51 1B 00 00 80 00 02");
    EXPECT_EQ(FrameText(frames[5]), "0C 51 01 87 00 04");
}

TEST(MacroArea, EmptyListSendsTheZeroIndex)
{
    const std::vector<unsigned char> area = EncodeMacroArea({});
    EXPECT_EQ(area, std::vector<unsigned char>(128, 0));
    const std::vector<CommandFrame> frames = BuildMacroAreaFrames(area);
    const char* expected[] = {"0C 51 1B", "0C 51 1B 1B", "0C 51 1B 36", "0C 51 1B 51", "0C 51 14 6C"};
    ASSERT_EQ(frames.size(), std::size(expected));
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(FrameText(frames[i]), expected[i]) << i;
}

TEST(MacroArea, ChunksCarryTheirSliceOfTheArea)
{
    struct Case {
        std::size_t size;
        std::size_t frames;
        std::size_t lastLength;
    };
    const Case cases[] = {{128, 5, 20}, {136, 6, 1}, {270, 11, 0}, {271, 11, 1}, {4000, 149, 4}, {4100, 149, 4}};
    for (const Case& c : cases) {
        std::vector<unsigned char> area(c.size);
        for (std::size_t i = 0; i < area.size(); ++i)
            area[i] = static_cast<unsigned char>(i % 251 + 1);
        const std::vector<CommandFrame> frames = BuildMacroAreaFrames(area);
        ASSERT_EQ(frames.size(), c.frames) << c.size;
        EXPECT_EQ(frames.back()[2], c.lastLength) << c.size;
        for (std::size_t n = 0; n < frames.size(); ++n) {
            const CommandFrame& frame = frames[n];
            const std::size_t start = 27 * n;
            const std::size_t length = n + 1 == frames.size() ? c.lastLength : 27;
            ASSERT_EQ(HexText(std::span(frame).first(5)),
                      HexText(std::vector<unsigned char>{0x0C, 0x51, static_cast<unsigned char>(length),
                                                         static_cast<unsigned char>(start & 0xFF),
                                                         static_cast<unsigned char>(start >> 8)}))
                << c.size << " chunk " << n;
            for (std::size_t i = 0; i < 60; ++i)
                ASSERT_EQ(frame[5 + i], i < length ? area[start + i] : 0) << c.size << " chunk " << n << " byte " << i;
        }
    }
}

TEST(MacroArea, DelaysFollowTheMacroDelayRules)
{
    const std::vector<MacroWithEvents> macros = {
        Macro({Press(kVkA), Release(kVkA)}),                                     // no delay events
        Macro({Press(kVkB), Delay(20), Delay(30), Release(kVkB)}),               // delays add up
        Macro({Delay(500), Press(kVkA), Delay(5), Release(kVkA)}, 2, 30),        // fixed delay
        Macro({Press(kVkA), Delay(70000), Release(kVkA)}),                       // clamped, not wrapped
        Macro({Press(kVkA), Delay(INT_MAX), Delay(INT_MAX), Release(kVkA)}),
    };
    const std::vector<unsigned char> area = EncodeMacroArea(macros);
    ASSERT_EQ(area.size(), 128u + 4 * 10);
    struct Expected {
        std::size_t offset;
        const char* slot;
    };
    const Expected expected[] = {
        {128, "00 00 42 04"}, // the area's first slot never waits
        {132, "0A 00 82 04"}, // an event right after another waits 10 ms
        {136, "01 00 42 05"}, // a macro's first event waits 1 ms
        {140, "32 00 82 05"},
        {144, "1E 00 42 04"}, {148, "1E 00 82 04"},
        {152, "01 00 42 04"}, {156, "FF FF 82 04"},
        {160, "01 00 42 04"}, {164, "FF FF 82 04"},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(Slot(area, e.offset), e.slot) << e.offset;
    const char* index[] = {"80 00 02 00", "88 00 02 00", "90 00 02 00", "98 00 02 00", "A0 00 02 00"};
    for (std::size_t n = 0; n < std::size(index); ++n)
        EXPECT_EQ(IndexEntry(area, n), index[n]) << n;
}

TEST(MacroArea, FixedDelayAppliesFromTheFirstSlotOfTheArea)
{
    const std::vector<MacroWithEvents> macros = {Macro({Press(kVkA), Delay(99), Release(kVkA), Press(kVkB)}, 2, 30)};
    const std::vector<unsigned char> area = EncodeMacroArea(macros);
    EXPECT_EQ(Slot(area, 128), "00 00 42 04");
    EXPECT_EQ(Slot(area, 132), "1E 00 02 04");
    EXPECT_EQ(Slot(area, 136), "1E 00 C2 05");
}

TEST(MacroArea, EventClassesAndCodes)
{
    struct Case {
        const char* name;
        MacroEventRecord event;
        const char* slot; // of the event alone in a macro, so it is also the last one
        int count;
    };
    const Case cases[] = {
        {"key press", Press(kVkA), "00 00 C2 04", 1},
        {"key release", Release(kVkA), "00 00 82 04", 1},
        {"modifier press", Press(kVkLeftCtrl), "00 00 C1 E0", 1},
        {"modifier release", Release(kVkLeftCtrl), "00 00 81 E0", 1},
        {"key without usage", Press(16), "00 00 C2 00", 1},
        {"button press", Event(4, 0x101, L"Left Button"), "00 00 C3 01", 1},
        {"button release", Event(5, 2, L"Right Button"), "00 00 83 02", 1},
        {"wheel up as button", Event(4, 0, L"Scroll Up"), "00 00 C4 01", 1},
        {"wheel down as button", Event(4, 0, L"Scroll Down"), "00 00 C4 FF", 1},
        {"wheel down release", Event(5, 0, L"Mouse Scroll Down"), "00 00 C4 FF", 1},
        {"wheel up type", Event(6, 0), "00 00 C4 01", 1},
        {"wheel down type", Event(7, 0), "00 00 C4 FF", 1},
        {"special 8", Event(8, 0x1AB), "00 00 86 AB", 1},
        {"special 11", Event(11, 0x05), "00 00 86 05", 1},
        {"unknown type keeps a slot but does not count", Event(13, 0x55), "00 00 80 00", 0},
        {"type 0", Event(0, 0x55), "00 00 80 00", 0},
    };
    for (const Case& c : cases) {
        const std::vector<MacroWithEvents> macros = {Macro({c.event})};
        const std::vector<unsigned char> area = EncodeMacroArea(macros);
        ASSERT_EQ(area.size(), 132u) << c.name;
        EXPECT_EQ(Slot(area, 128), c.slot) << c.name;
        EXPECT_EQ(area[2], c.count) << c.name;
    }
}

TEST(MacroArea, MoveOffsetsAreClampedIntoTheirFields)
{
    struct Case {
        int x;
        int y;
        const char* slot; // after a 20000 ms delay, which the sign flags cut to 14 bits
    };
    const Case cases[] = {
        {3, 2, "FF 3F 86 32"},    {-2, 5, "FF BF 86 E5"},  {1, -1, "FF 7F 86 1F"},  {-1, -1, "FF FF 86 FF"},
        {-16, 15, "FF BF 86 0F"}, {15, -16, "FF 7F 86 F0"}, {40, -100, "FF 7F 86 F0"}, {127, -128, "FF 7F 86 F0"},
        {-17, 16, "FF BF 86 0F"},
    };
    for (const Case& c : cases) {
        const std::vector<MacroWithEvents> macros = {Macro({Press(kVkA), Delay(20000), Move(c.x, c.y)})};
        EXPECT_EQ(Slot(EncodeMacroArea(macros), 132), c.slot) << c.x << " " << c.y;
    }
    const std::vector<MacroWithEvents> shortDelay = {Macro({Press(kVkA), Delay(300), Move(-1, 1)})};
    EXPECT_EQ(Slot(EncodeMacroArea(shortDelay), 132), "2C 81 86 F1");
}

TEST(MacroArea, TrailingDelayKeepsASlotOfItsOwn)
{
    const std::vector<MacroWithEvents> macros = {
        Macro({Press(kVkA), Delay(40)}),
        Macro({Delay(5)}),
        Macro({Press(kVkB), Release(kVkB)}),
        Macro({}),
    };
    const std::vector<unsigned char> area = EncodeMacroArea(macros);
    ASSERT_EQ(area.size(), 128u + 4 * 5);
    EXPECT_EQ(IndexEntry(area, 0), "80 00 01 00");
    EXPECT_EQ(Slot(area, 128), "00 00 42 04");
    EXPECT_EQ(Slot(area, 132), "28 00 80 00");
    EXPECT_EQ(IndexEntry(area, 1), "88 00 00 00"); // only a delay: no event counted
    EXPECT_EQ(Slot(area, 136), "06 00 80 00");
    EXPECT_EQ(IndexEntry(area, 2), "8C 00 02 00"); // starts intact after them
    EXPECT_EQ(Slot(area, 140), "01 00 42 05");
    EXPECT_EQ(Slot(area, 144), "0A 00 82 05");
    EXPECT_EQ(IndexEntry(area, 3), "94 00 00 00"); // no events at all
}

TEST(MacroArea, NeverGrowsPastItsEndOrItsIndex)
{
    const auto presses = [](std::size_t count) { return Macro(std::vector<MacroEventRecord>(count, Press(kVkA))); };

    // 960 slots fill the area to 3968; nine more would end at 4004, eight end exactly at 4000.
    const std::vector<MacroWithEvents> full = {presses(960), presses(9), presses(8), presses(1)};
    const std::vector<unsigned char> area = EncodeMacroArea(full);
    ASSERT_EQ(area.size(), 4000u);
    EXPECT_EQ(IndexEntry(area, 0), "80 00 C0 03");
    EXPECT_EQ(IndexEntry(area, 1), "80 0F 00 00"); // left out whole
    EXPECT_EQ(IndexEntry(area, 2), "80 0F 08 00");
    EXPECT_EQ(IndexEntry(area, 3), "A0 0F 00 00");
    EXPECT_EQ(Slot(area, 3996), "0A 00 C2 04");
    EXPECT_EQ(BuildMacroAreaFrames(area).size(), 149u);

    const std::vector<MacroWithEvents> oversized = {presses(969)};
    std::vector<unsigned char> onlyIndex(128, 0);
    onlyIndex[0] = 0x80;
    EXPECT_EQ(EncodeMacroArea(oversized), onlyIndex);

    std::vector<MacroWithEvents> many(33, presses(1));
    const std::vector<unsigned char> indexFull = EncodeMacroArea(many);
    ASSERT_EQ(indexFull.size(), 128u + 4 * 32);
    EXPECT_EQ(IndexEntry(indexFull, 31), "FC 00 01 00");
}

#pragma once
// The mouse's macro area and how it travels. The area starts with an index of 32 entries (start offset
// and event count, both 16-bit little-endian), one per macro slot, followed by the events of every
// macro in 4-byte slots: delay before the event (16-bit little-endian), flags (event class, bit 7 =
// last event of its macro), code. It is sent in 27-byte chunks of command 0x51.
//
// The area never grows past 4000 bytes. A macro whose slots would not all fit is left out whole (its
// index entry has count 0), since half a macro can leave a key held down; macros past the 32 slots are
// left out. Delays and move offsets too large for their fields are clamped, never wrapped. A macro that
// ends with a delay keeps that delay in a slot of its own, so the next macro starts intact.
// Thread contract: pure functions, callable from any thread.

#include "device/CommandFrame.h"
#include "store/MacroEventRecord.h"
#include "store/MacroRecord.h"

#include <cstddef>
#include <span>
#include <vector>

inline constexpr std::size_t kMacroSlotCount = 32;
inline constexpr std::size_t kMacroIndexSize = 4 * kMacroSlotCount;
inline constexpr std::size_t kMacroAreaMaxSize = 4000;
inline constexpr std::size_t kMacroChunkSize = 27;

// One macro as the store keeps it, with its events in record_index order.
struct MacroWithEvents {
    MacroRecord macro;
    std::vector<MacroEventRecord> events;
};

// The bytes of the area to send for `macros` in store order (a macro's position is its slot): the
// index and every event slot written, 128 zero bytes when there is no macro.
std::vector<unsigned char> EncodeMacroArea(std::span<const MacroWithEvents> macros);

// The chunk frames of `area`: chunk c carries the bytes from 27 * c, and its offset field says so. The
// last chunk holds the remainder, and is sent even when that is 0 bytes. Bytes past 4000 are not sent.
std::vector<CommandFrame> BuildMacroAreaFrames(std::span<const unsigned char> area);

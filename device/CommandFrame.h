#pragma once
// The one layout of everything the program sends to the mouse: a 65-byte output report with report id
// 0x0C, a command byte, a length byte, a 16-bit little-endian offset into a larger area (used only by
// the macro area) and up to 60 payload bytes from byte 5. Bytes past the payload are always 0.
// Thread contract: pure functions, callable from any thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kCommandFrameSize = 65;
inline constexpr std::size_t kCommandFramePayloadStart = 5;
inline constexpr std::size_t kCommandFrameMaxPayload = kCommandFrameSize - kCommandFramePayloadStart;
inline constexpr unsigned char kDeviceReportId = 0x0C;

// One output report as handed to the transport's SendReport.
using CommandFrame = std::array<unsigned char, kCommandFrameSize>;

enum class DeviceCommand : unsigned char {
    ButtonAssignments = 0x08,
    FactoryReset = 0x1F,
    LightSetting = 0x21,
    MacroAreaChunk = 0x51,
    PerformanceSettings = 0x61,
    DpiSettings = 0x63,
};

// The low 8 bits of a stored value: how every byte field of a frame is filled.
constexpr unsigned char LowByte(int value) { return static_cast<unsigned char>(value & 0xFF); }

// Writes `value` as two little-endian bytes at `at`.
constexpr void PutLittleEndian16(unsigned char* at, int value)
{
    at[0] = LowByte(value);
    at[1] = LowByte(value >> 8);
}

// A frame carrying `payload`, whose size becomes the length byte. A payload longer than 60 bytes is a
// caller error; only its first 60 bytes are taken.
CommandFrame MakeCommandFrame(DeviceCommand command, std::span<const unsigned char> payload,
                              std::uint16_t offset = 0);

// A frame with an explicit length byte and no payload (the factory reset announces 0xFF).
CommandFrame MakeCommandFrame(DeviceCommand command, unsigned char length);

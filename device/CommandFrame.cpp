#include "device/CommandFrame.h"

#include <algorithm>

CommandFrame MakeCommandFrame(DeviceCommand command, std::span<const unsigned char> payload,
                              std::uint16_t offset)
{
    const std::size_t size = std::min(payload.size(), kCommandFrameMaxPayload);
    CommandFrame frame = MakeCommandFrame(command, static_cast<unsigned char>(size));
    PutLittleEndian16(&frame[3], offset);
    std::copy_n(payload.begin(), size, frame.begin() + kCommandFramePayloadStart);
    return frame;
}

CommandFrame MakeCommandFrame(DeviceCommand command, unsigned char length)
{
    CommandFrame frame{};
    frame[0] = kDeviceReportId;
    frame[1] = static_cast<unsigned char>(command);
    frame[2] = length;
    return frame;
}

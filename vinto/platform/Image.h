#pragma once
// A decoded picture (PNG, GIF, ICO, and whatever else gdk-pixbuf reads) as premultiplied surfaces:
// one frame for still images, every frame of an animated GIF with its delay.
// Thread contract: loading may happen on any thread; a loaded image is read-only and may be read
// from several threads.

#include "vinto/platform/Surface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vinto {

class Image {
public:
    // Null when the file is missing or cannot be decoded.
    static std::unique_ptr<Image> LoadFile(const std::string& utf8Path);
    static std::unique_ptr<Image> LoadMemory(const uint8_t* data, size_t size);

    int Width() const { return frames_.front().surface.Width(); }
    int Height() const { return frames_.front().surface.Height(); }
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    // Frame `index` clamped to the frames there are.
    const Surface& Frame(int index) const;
    // How long the frame stays, in milliseconds; 0 for a still image.
    int Delay(int index) const;

private:
    struct FrameData {
        Surface surface;
        int delay = 0;
    };
    explicit Image(std::vector<FrameData> frames) : frames_(std::move(frames)) {}
    static std::unique_ptr<Image> Decode(const std::vector<uint8_t>& bytes);

    std::vector<FrameData> frames_;
};

} // namespace Vinto

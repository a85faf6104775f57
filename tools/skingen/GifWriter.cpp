#include "GifWriter.h"

#include "ByteBuffer.h"

#include <limits>
#include <unordered_map>

namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kMaxCode = 4095;

// Codes go out least significant bit first, gathered into sub-blocks of at most 255 bytes.
class CodeSink {
public:
    void Put(int code, int width)
    {
        bits_ |= static_cast<std::uint32_t>(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            Byte(static_cast<std::uint8_t>(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::vector<std::uint8_t> Finish()
    {
        if (count_ > 0) {
            Byte(static_cast<std::uint8_t>(bits_ & 0xFF));
        }
        if (!block_.empty()) {
            Flush();
        }
        out_.push_back(0);
        return std::move(out_);
    }

private:
    void Byte(std::uint8_t b)
    {
        block_.push_back(b);
        if (block_.size() == 255) {
            Flush();
        }
    }
    void Flush()
    {
        out_.push_back(static_cast<std::uint8_t>(block_.size()));
        out_.insert(out_.end(), block_.begin(), block_.end());
        block_.clear();
    }

    std::uint32_t bits_ = 0;
    int count_ = 0;
    std::vector<std::uint8_t> block_;
    std::vector<std::uint8_t> out_;
};

std::uint8_t Nearest(std::uint32_t rgb, const std::vector<std::uint32_t>& palette)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = static_cast<int>((rgb >> 16) & 0xFF) - static_cast<int>((palette[i] >> 16) & 0xFF);
        const int dg = static_cast<int>((rgb >> 8) & 0xFF) - static_cast<int>((palette[i] >> 8) & 0xFF);
        const int db = static_cast<int>(rgb & 0xFF) - static_cast<int>(palette[i] & 0xFF);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return static_cast<std::uint8_t>(best);
}

// The image data of one frame: LZW codes of the palette indices, packed into sub-blocks.
std::vector<std::uint8_t> Compress(const std::vector<std::uint8_t>& indices)
{
    CodeSink sink;
    std::unordered_map<std::uint32_t, int> dictionary;
    int width = kMinCodeSize + 1;
    int lastCode = kClearCode + 1;
    sink.Put(kClearCode, width);
    if (indices.empty()) {
        sink.Put(kClearCode + 1, width);
        return sink.Finish();
    }
    int current = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
        const std::uint32_t key = (static_cast<std::uint32_t>(current) << 8) | indices[i];
        const auto found = dictionary.find(key);
        if (found != dictionary.end()) {
            current = found->second;
            continue;
        }
        sink.Put(current, width);
        dictionary.emplace(key, ++lastCode);
        if (lastCode >= (1 << width)) {
            ++width;
        }
        if (lastCode == kMaxCode) {
            sink.Put(kClearCode, width);
            dictionary.clear();
            width = kMinCodeSize + 1;
            lastCode = kClearCode + 1;
        }
        current = indices[i];
    }
    sink.Put(current, width);
    sink.Put(kClearCode, width);
    sink.Put(kClearCode + 1, kMinCodeSize + 1);
    return sink.Finish();
}

}  // namespace

bool GifWriter::Write(const std::string& path, const std::vector<Surface>& frames, int delayCentiseconds,
                      const std::vector<std::uint32_t>& palette)
{
    if (frames.empty() || palette.empty() || palette.size() > 256) {
        return false;
    }
    const int w = frames[0].Width();
    const int h = frames[0].Height();
    ByteBuffer out;
    out.Put({'G', 'I', 'F', '8', '9', 'a'});
    out.Put16(w);
    out.Put16(h);
    out.Put({0xF7, 0, 0}); // global table of 256 entries, 8-bit colour resolution
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        out.Put({static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
    }
    out.Put({0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, 0x00, 0x00, 0x00});

    std::unordered_map<std::uint32_t, std::uint8_t> mapped;
    for (const Surface& frame : frames) {
        if (frame.Width() != w || frame.Height() != h) {
            return false;
        }
        out.Put({0x21, 0xF9, 0x04, 0x04}); // graphic control: keep the frame, no transparency
        out.Put16(delayCentiseconds);
        out.Put({0x00, 0x00, 0x2C});
        out.Put16(0);
        out.Put16(0);
        out.Put16(w);
        out.Put16(h);
        out.Put8(0);
        std::vector<std::uint8_t> indices;
        indices.reserve(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint32_t rgb = frame.PixelArgb(x, y) & 0xFFFFFF;
                auto it = mapped.find(rgb);
                if (it == mapped.end()) {
                    it = mapped.emplace(rgb, Nearest(rgb, palette)).first;
                }
                indices.push_back(it->second);
            }
        }
        out.Put8(kMinCodeSize);
        out.Append(Compress(indices));
    }
    out.Put8(0x3B);
    return out.WriteFile(path);
}

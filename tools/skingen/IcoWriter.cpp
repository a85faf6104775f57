#include "IcoWriter.h"

#include "ByteBuffer.h"

namespace {

// A bitmap entry: header, bottom-up BGRA rows with straight alpha, then an all-clear AND mask.
ByteBuffer Entry(const Surface& image)
{
    const int size = image.Width();
    const std::uint32_t maskRow = ((size + 31) / 32) * 4;
    ByteBuffer out;
    out.Put32(40);
    out.Put32(size);
    out.Put32(size * 2);
    out.Put16(1);
    out.Put16(32);
    out.Put32(0);
    out.Put32(size * size * 4 + maskRow * size);
    for (int i = 0; i < 4; ++i) {
        out.Put32(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            const std::uint32_t argb = image.PixelArgb(x, y);
            out.Put32(argb); // little-endian ARGB is the B, G, R, A byte order of the format
        }
    }
    for (std::uint32_t i = 0; i < maskRow * size; ++i) {
        out.Put8(0);
    }
    return out;
}

}  // namespace

bool IcoWriter::Write(const std::string& path, const std::vector<Surface>& images)
{
    std::vector<ByteBuffer> entries;
    for (const Surface& image : images) {
        if (image.Width() != image.Height() || image.Width() < 1 || image.Width() > 256) {
            return false;
        }
        entries.push_back(Entry(image));
    }
    ByteBuffer out;
    out.Put16(0);
    out.Put16(1);
    out.Put16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].Width();
        out.Put8(size == 256 ? 0 : size); // 0 stands for 256
        out.Put8(size == 256 ? 0 : size);
        out.Put16(0);
        out.Put16(1);
        out.Put16(32);
        out.Put32(static_cast<std::uint32_t>(entries[i].Size()));
        out.Put32(offset);
        offset += static_cast<std::uint32_t>(entries[i].Size());
    }
    for (const ByteBuffer& entry : entries) {
        out.Append(entry.Bytes());
    }
    return out.WriteFile(path);
}

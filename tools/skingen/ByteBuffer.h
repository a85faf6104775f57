#pragma once

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

// Bytes of a binary file being assembled, with little-endian integers as the GIF and icon formats
// store them. Owned by one thread at a time.
class ByteBuffer {
public:
    void Put8(std::uint32_t v) { bytes_.push_back(static_cast<std::uint8_t>(v & 0xFF)); }
    void Put16(std::uint32_t v)
    {
        Put8(v);
        Put8(v >> 8);
    }
    void Put32(std::uint32_t v)
    {
        Put16(v & 0xFFFF);
        Put16(v >> 16);
    }
    void Put(std::initializer_list<std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes); }
    void Append(const std::vector<std::uint8_t>& bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

    bool WriteFile(const std::string& path) const
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size()));
        return static_cast<bool>(file);
    }

private:
    std::vector<std::uint8_t> bytes_;
};

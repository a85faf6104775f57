#include "vinto/platform/XSettings.h"

namespace Vinto {

namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size, bool bigEndian) : data_(data), size_(size), bigEndian_(bigEndian) {}

    bool Skip(size_t n)
    {
        if (n > size_ - pos_)
            return false;
        pos_ += n;
        return true;
    }
    bool Read(size_t n, uint32_t& value)
    {
        if (n > size_ - pos_)
            return false;
        value = 0;
        for (size_t i = 0; i < n; ++i) {
            const uint32_t byte = data_[pos_ + (bigEndian_ ? i : n - 1 - i)];
            value = (value << 8) | byte;
        }
        pos_ += n;
        return true;
    }
    const uint8_t* Here() const { return data_ + pos_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool bigEndian_;
};

size_t Padded(size_t n) { return (n + 3) & ~size_t{3}; }

} // namespace

std::optional<int32_t> FindXSettingsInteger(const uint8_t* data, size_t size, std::string_view name)
{
    if (!data || size < 12)
        return std::nullopt;
    Reader r(data, size, data[0] == 1);
    uint32_t serial = 0, count = 0;
    if (!r.Skip(4) || !r.Read(4, serial) || !r.Read(4, count))
        return std::nullopt;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t type = 0, nameLength = 0, lastChange = 0;
        if (!r.Read(1, type) || !r.Skip(1) || !r.Read(2, nameLength))
            return std::nullopt;
        const uint8_t* settingName = r.Here();
        if (!r.Skip(Padded(nameLength)) || !r.Read(4, lastChange))
            return std::nullopt;
        const bool wanted = std::string_view(reinterpret_cast<const char*>(settingName), nameLength) == name;
        switch (type) {
        case 0: { // integer
            uint32_t value = 0;
            if (!r.Read(4, value))
                return std::nullopt;
            if (wanted)
                return static_cast<int32_t>(value);
            break;
        }
        case 1: { // string
            uint32_t length = 0;
            if (!r.Read(4, length) || !r.Skip(Padded(length)))
                return std::nullopt;
            if (wanted)
                return std::nullopt;
            break;
        }
        case 2: // colour: four 16-bit channels
            if (!r.Skip(8) || wanted)
                return std::nullopt;
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace Vinto

#pragma once
// Settings data as an X settings manager publishes it, for tests.

#include <cstdint>
#include <string>
#include <vector>

namespace VintoTest {

// Builds settings data the way a settings manager writes it.
class SettingsBytes {
public:
    explicit SettingsBytes(bool bigEndian) : big_(bigEndian)
    {
        bytes_ = {static_cast<uint8_t>(big_ ? 1 : 0), 0, 0, 0};
        Put(4, 7);   // serial
        Put(4, 0);   // count, filled in by Finish
    }
    SettingsBytes& Integer(const std::string& name, int32_t value)
    {
        Header(0, name);
        Put(4, static_cast<uint32_t>(value));
        return *this;
    }
    SettingsBytes& String(const std::string& name, const std::string& value)
    {
        Header(1, name);
        Put(4, static_cast<uint32_t>(value.size()));
        Padded(value);
        return *this;
    }
    SettingsBytes& Color(const std::string& name)
    {
        Header(2, name);
        Put(4, 0);
        Put(4, 0);
        return *this;
    }
    std::vector<uint8_t> Finish()
    {
        std::vector<uint8_t> out = bytes_;
        for (size_t i = 0; i < 4; ++i)
            out[8 + i] = static_cast<uint8_t>(big_ ? count_ >> (24 - 8 * i) : count_ >> (8 * i));
        return out;
    }

private:
    void Put(size_t n, uint32_t v)
    {
        for (size_t i = 0; i < n; ++i)
            bytes_.push_back(static_cast<uint8_t>(big_ ? v >> (8 * (n - 1 - i)) : v >> (8 * i)));
    }
    void Padded(const std::string& s)
    {
        bytes_.insert(bytes_.end(), s.begin(), s.end());
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    void Header(uint8_t type, const std::string& name)
    {
        bytes_.push_back(type);
        bytes_.push_back(0);
        Put(2, static_cast<uint32_t>(name.size()));
        Padded(name);
        Put(4, 1);   // last change serial
        ++count_;
    }
    bool big_;
    uint32_t count_ = 0;
    std::vector<uint8_t> bytes_;
};

} // namespace VintoTest

#pragma once
// A HID function table that hands every call to another one and prints each report that passes: one
// line per report, "> " and the bytes written, or "< " and the bytes read, in upper-case hexadecimal
// separated by blanks, every byte of the report.
// Thread contract: as the wrapped table; each line is written with one call, so lines never mix.

#include "device/HidApi.h"

#include <cstdio>

class TracingHidApi final : public HidApi {
public:
    // `inner` must outlive this object and every device it opens; lines go to `out`.
    TracingHidApi(HidApi& inner, std::FILE* out);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

    // "> 0C 63 ..." for `toDevice`, else "< ...", without the line end.
    static std::string TraceLine(bool toDevice, const unsigned char* data, std::size_t length);

private:
    class TracingDevice;

    HidApi& inner_;
    std::FILE* out_;
};

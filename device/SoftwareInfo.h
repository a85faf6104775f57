#pragma once
// The "software" section of the catalogue: the product caption, accent colour, version text and the
// program's links. A field the file does not give keeps its previous value.

#include <string>

struct SoftwareInfo {
    std::wstring caption;
    std::wstring themeColor; // "#RRGGBB"
    std::wstring version;
    std::wstring websiteUrl;
    std::wstring feedbackUrl;
    std::wstring qaUrl;
    std::wstring storeUrl;
    std::wstring upgradeUrl;
    std::wstring copyrightInfo;
};

#include "update/UpdateSource.h"

std::wstring UpdateSource::FileUrl(const std::wstring& name) const
{
    std::wstring base = baseUrl;
    while (!base.empty() && base.back() == L'/')
        base.pop_back();
    return base + L"/" + name;
}

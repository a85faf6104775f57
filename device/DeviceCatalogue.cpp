#include "device/DeviceCatalogue.h"

#include "common/TextConvert.h"
#include "device/DeviceManager.h"
#include "exchange/XmlDocument.h"

#include <climits>
#include <cwctype>

namespace {

// Reads `attribute` of the next `element` into `field`, keeping `field` when the element is absent.
void ReadIfPresent(XmlDocument& document, std::wstring_view element, std::wstring_view attribute,
                   std::wstring& field)
{
    if (document.FindElement(element)) {
        field = document.GetAttribute(attribute);
    }
}

} // namespace

bool DeviceCatalogue::Load(const std::filesystem::path& configFile, const std::filesystem::path& skinFolder)
{
    models_.clear();
    modes_.clear();
    XmlDocument document;
    if (!document.LoadFile(configFile) || !document.FindElement(L"config")) {
        return false;
    }
    document.EnterElement();
    if (document.FindElement(L"device")) {
        document.EnterElement();
        while (document.FindElement(L"mouse")) {
            DeviceModel model;
            model.name = document.GetAttribute(L"name");
            model.deviceType = DecimalToInt(document.GetAttribute(L"device_type"));
            model.deviceAttr = document.GetAttribute(L"device_attr");
            model.imagePath = (skinFolder / "device" / document.GetAttribute(L"image")).wstring();
            models_.push_back(model);

            document.EnterElement();
            while (document.FindElement(L"mode")) {
                model.modeValue = DecimalToInt(document.GetAttribute(L"value"));
                model.desc = document.GetAttribute(L"desc");
                model.vid = HexToInt(document.GetAttribute(L"vid"));
                model.pid = HexToInt(document.GetAttribute(L"pid"));
                model.devId = document.GetAttribute(L"dev_id");
                modes_.push_back(model);
            }
            document.LeaveElement();
        }
        document.LeaveElement();
    }
    if (document.FindElement(L"software")) {
        software_.caption = document.GetAttribute(L"caption");
        software_.themeColor = document.GetAttribute(L"themecolor");
        software_.version = document.GetAttribute(L"version");
        document.EnterElement();
        ReadIfPresent(document, L"website", L"url", software_.websiteUrl);
        ReadIfPresent(document, L"feedback", L"url", software_.feedbackUrl);
        ReadIfPresent(document, L"qa", L"url", software_.qaUrl);
        ReadIfPresent(document, L"store", L"url", software_.storeUrl);
        ReadIfPresent(document, L"upgrade", L"url", software_.upgradeUrl);
        ReadIfPresent(document, L"copyright", L"info", software_.copyrightInfo);
    }
    return true;
}

void DeviceCatalogue::RegisterFilters(DeviceManager& manager) const
{
    manager.ClearHidFilters();
    for (const DeviceModel& mode : modes_) {
        manager.AddHidFilter(mode.vid, mode.pid, mode.devId, mode.deviceType, mode.modeValue);
    }
}

int DeviceCatalogue::ChooseDeviceType(int storedType) const
{
    for (const DeviceModel& model : models_) {
        if (model.deviceType == storedType) {
            return storedType;
        }
    }
    return models_.empty() ? 0 : models_.front().deviceType;
}

std::wstring DeviceCatalogue::DeviceAttrOf(int deviceType) const
{
    for (const DeviceModel& model : models_) {
        if (model.deviceType == deviceType) {
            return model.deviceAttr;
        }
    }
    return {};
}

int DeviceCatalogue::HexToInt(std::wstring_view text)
{
    std::size_t at = 0;
    while (at < text.size() && std::iswspace(text[at])) {
        ++at;
    }
    if (text.size() - at >= 2 && text[at] == L'0' && (text[at + 1] == L'x' || text[at + 1] == L'X')) {
        at += 2;
    }
    long long value = 0;
    for (; at < text.size() && std::iswxdigit(text[at]); ++at) {
        const wchar_t c = text[at];
        const int digit = c <= L'9' ? c - L'0' : (std::towupper(c) - L'A' + 10);
        value = std::min<long long>(value * 16 + digit, INT_MAX);
    }
    return static_cast<int>(value);
}

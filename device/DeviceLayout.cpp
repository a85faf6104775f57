#include "device/DeviceLayout.h"

#include "common/TextConvert.h"
#include "exchange/XmlDocument.h"

std::filesystem::path DeviceLayout::FileFor(const std::filesystem::path& folder, const std::wstring& deviceAttr)
{
    if (deviceAttr.find_first_of(L"/\\") != std::wstring::npos) {
        return {};
    }
    return folder / (deviceAttr + L".xml");
}

bool DeviceLayout::Load(const std::filesystem::path& layoutFile)
{
    XmlDocument document;
    if (layoutFile.empty() || !document.LoadFile(layoutFile) || !document.FindElement(L"mouse")) {
        return false;
    }
    document.EnterElement();
    if (document.FindElement(L"image_file")) {
        picture_ = document.GetAttribute(L"img");
    }
    if (document.FindElement(L"menu")) {
        lightingPageEnabled_ = DecimalToInt(document.GetAttribute(L"light")) == 0;
    }
    if (document.FindElement(L"mouse_key")) {
        keys_.clear();
        defaultKeys_.clear();
        document.EnterElement();
        while (document.FindElement(L"key")) {
            const std::wstring name = document.GetAttribute(L"name");
            LayoutKey key;
            key.nameId = DecimalToInt(name);
            key.keyValue = DecimalToInt(document.GetAttribute(L"key_value"));
            key.direction = DecimalToInt(document.GetAttribute(L"direction"));
            key.points = SplitRect(document.GetAttribute(L"rect"));
            keys_.push_back(key);

            KeyMacroRecord record;
            record.key_code = key.keyValue;
            record.layout_value = key.keyValue;
            record.layout_desc = name;
            record.macro_type = DecimalToInt(document.GetAttribute(L"func_type"));
            record.macro_value = DecimalToInt(document.GetAttribute(L"func_value"));
            record.macro_desc = document.GetAttribute(L"func_desc");
            defaultKeys_.push_back(record);
        }
        document.LeaveElement();
    }
    return true;
}

std::array<LayoutKey::Point, 3> DeviceLayout::SplitRect(std::wstring_view rect)
{
    int numbers[6] = {};
    for (int n = 0; n < 5; ++n) {
        const std::size_t hash = rect.find(L'#');
        if (hash == std::wstring_view::npos) {
            continue;
        }
        numbers[n] = DecimalToInt(rect.substr(0, hash));
        rect.remove_prefix(hash + 1);
    }
    numbers[5] = DecimalToInt(rect);
    return {{{numbers[0], numbers[1]}, {numbers[2], numbers[3]}, {numbers[4], numbers[5]}}};
}

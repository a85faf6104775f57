#include "vinto/core/ControlFactory.h"

#include <map>
#include <mutex>
#include <string_view>

namespace Vinto {

namespace {

// How a class reads `second`: the enabled flag (VE), ignored and created enabled (V), or never
// enabled (Text).
enum class Rule { V, VE, Text };

struct Entry {
    std::wstring_view name;
    Rule rule;
};

constexpr Entry kDialogList[] = {
    {L"CArea", Rule::V},          {L"CRoundArea", Rule::V},    {L"MText", Rule::Text},
    {L"MPicture", Rule::VE},      {L"CPhotoFrame", Rule::VE},  {L"CSliderPicture", Rule::VE},
    {L"CGifPicture", Rule::VE},   {L"MProgress", Rule::VE},    {L"MSlider", Rule::VE},
    {L"LightSlider", Rule::VE},   {L"DPISlider", Rule::VE},    {L"MLevelCtrl", Rule::VE},
    {L"MButton", Rule::VE},       {L"CImageButton", Rule::VE}, {L"CTextButton", Rule::VE},
    {L"CCheckButton", Rule::VE},  {L"CRadioButton", Rule::VE}, {L"CSelectButton", Rule::VE},
    {L"CColorButton", Rule::VE},  {L"MSpinButton", Rule::VE},  {L"CSpinButton", Rule::VE},
    {L"CSwitchButton", Rule::VE}, {L"CIconButton", Rule::VE},  {L"CTimerButton", Rule::VE},
    {L"CHelpButton", Rule::VE},   {L"MEdit", Rule::VE},        {L"MRichEdit", Rule::VE},
    {L"MEditEx", Rule::VE},       {L"MComboBox", Rule::VE},    {L"MTabCtrl", Rule::VE},
    {L"MTabLayout", Rule::V},     {L"MListBox", Rule::V},      {L"DListBox", Rule::V},
    {L"MPalette", Rule::V},       {L"CColorPalette", Rule::V}, {L"CColorSelect", Rule::V},
    {L"CirclePalette", Rule::V},  {L"CComboBoxList", Rule::V}, {L"MenuItem", Rule::V},
    {L"TextCheckButton", Rule::V}, {L"CDeviceState", Rule::V}, {L"BatteryCtrl", Rule::V},
};

constexpr Entry kPanelList[] = {
    {L"CArea", Rule::V},           {L"MText", Rule::Text},        {L"MPicture", Rule::VE},
    {L"CPhotoFrame", Rule::VE},    {L"CSliderPicture", Rule::VE}, {L"CGifPicture", Rule::VE},
    {L"MProgress", Rule::VE},      {L"MSlider", Rule::VE},        {L"LightSlider", Rule::VE},
    {L"DPISlider", Rule::VE},      {L"MLevelCtrl", Rule::VE},     {L"MButton", Rule::VE},
    {L"CImageButton", Rule::VE},   {L"CTextButton", Rule::VE},    {L"CCheckButton", Rule::VE},
    {L"CRadioButton", Rule::VE},   {L"CSelectButton", Rule::VE},  {L"CColorButton", Rule::VE},
    {L"MSpinButton", Rule::VE},    {L"CSpinButton", Rule::VE},    {L"CSwitchButton", Rule::VE},
    {L"CIconButton", Rule::VE},    {L"CTimerButton", Rule::VE},   {L"CHelpButton", Rule::VE},
    {L"MEdit", Rule::VE},          {L"MRichEdit", Rule::VE},      {L"MEditEx", Rule::VE},
    {L"MComboBox", Rule::VE},      {L"MTabCtrl", Rule::VE},       {L"MTabLayout", Rule::V},
    {L"MListBox", Rule::V},        {L"MPalette", Rule::V},        {L"CColorPalette", Rule::V},
    {L"CColorSelect", Rule::V},    {L"CirclePalette", Rule::V},   {L"MenuItem", Rule::V},
    {L"DListBox", Rule::V},        {L"UpgradeButton", Rule::V},   {L"DownloadButton", Rule::V},
    {L"MacroList", Rule::V},       {L"CRecordList", Rule::V},     {L"ReporteCtrl", Rule::V},
    {L"LongPressButton", Rule::V}, {L"MouseKeyCtrl", Rule::V},    {L"MouseCtrl", Rule::V},
    {L"ColorButtonEx", Rule::V},   {L"MComboBox2", Rule::V},      {L"MButton2", Rule::V},
    {L"MButton3", Rule::V},        {L"PaletteBar", Rule::V},      {L"NumberEdit", Rule::V},
    {L"NumberEdit2", Rule::V},     {L"CRoundArea", Rule::V},      {L"CDeviceState", Rule::V},
    {L"CDeviceCtrl", Rule::V},     {L"CDeviceList", Rule::V},     {L"DPIControl", Rule::V},
};

const Entry* Find(ControlFactory::Owner owner, const wchar_t* className)
{
    if (className == nullptr)
        return nullptr;
    const std::wstring_view name(className);
    auto search = [&](const auto& list) -> const Entry* {
        for (const Entry& e : list)
            if (e.name == name)
                return &e;
        return nullptr;
    };
    return owner == ControlFactory::Owner::Dialog ? search(kDialogList) : search(kPanelList);
}

struct Makers {
    std::mutex lock;
    std::map<std::wstring, ControlFactory::Maker, std::less<>> byName;
};

Makers& TheMakers()
{
    static Makers makers;
    return makers;
}

} // namespace

bool ControlFactory::Register(const std::wstring& className, Maker maker)
{
    Makers& m = TheMakers();
    std::lock_guard guard(m.lock);
    m.byName[className] = std::move(maker);
    return true;
}

bool ControlFactory::IsListed(Owner owner, const wchar_t* className) { return Find(owner, className) != nullptr; }

MControl* ControlFactory::Make(Owner owner, MObject* parent, PaintManager* manager, const wchar_t* className,
                               uint32_t id, const Rect& rect, const wchar_t* title, int first, int second)
{
    const Entry* entry = Find(owner, className);
    if (entry == nullptr)
        return nullptr;
    Maker maker;
    {
        Makers& m = TheMakers();
        std::lock_guard guard(m.lock);
        auto it = m.byName.find(entry->name);
        if (it == m.byName.end())
            return nullptr;
        maker = it->second;
    }
    const int enabled = entry->rule == Rule::VE ? second : entry->rule == Rule::V ? 1 : 0;
    MControl* control = maker(parent, id, rect, title ? title : L"", first, enabled);
    if (control != nullptr)
        control->SetManager(manager);
    return control;
}

MControl* ControlFactory::Create(Owner owner, int list, MControl* target, MObject* parent, PaintManager* manager,
                                 const wchar_t* className, uint32_t id, const Rect& rect, const wchar_t* title,
                                 int first, int second)
{
    MControl* control = Make(owner, parent, manager, className, id, rect, title, first, second);
    if (control != nullptr && target != nullptr && (list == 0 || list == 1))
        target->AddChild(list, control);
    return control;
}

} // namespace Vinto

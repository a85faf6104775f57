#include "exchange/MacroFile.h"

#include "common/TextConvert.h"
#include "exchange/XmlDocument.h"
#include "store/DataStore.h"

#include <vector>

namespace {

// Leaves room for "-<tick>.xml" within the usual 255-byte limit of a file name.
constexpr size_t kMaxNameBytes = 200;

bool IsUnsafe(std::wstring_view name, size_t i)
{
    const wchar_t c = name[i];
    if (c == L'/' || c == L'\\' || c < 0x20 || c == 0x7F)
        return true;
    if (c != L'.')
        return false;
    const bool dotBefore = i > 0 && name[i - 1] == L'.';
    const bool dotAfter = i + 1 < name.size() && name[i + 1] == L'.';
    return i == 0 || dotBefore || dotAfter;
}

} // namespace

MacroFile::MacroFile(DataStore& store) : store_(store)
{
}

std::wstring MacroFile::SafeFileName(std::wstring_view name)
{
    std::wstring safe;
    size_t bytes = 0;
    for (size_t i = 0; i < name.size(); ++i) {
        const wchar_t c = IsUnsafe(name, i) ? L'_' : name[i];
        bytes += ToUtf8(std::wstring_view(&c, 1)).size();
        if (bytes > kMaxNameBytes)
            break;
        safe += c;
    }
    return safe.empty() ? L"macro" : safe;
}

std::filesystem::path MacroFile::Export(int macroId, std::wstring_view name, const std::filesystem::path& folder,
                                        std::uint64_t tickMs)
{
    MacroRecord macro;
    if (!store_.GetMacro(macroId, macro))
        return {};
    std::vector<MacroEventRecord> events;
    store_.GetMacroEvents(macroId, events);

    XmlDocument document;
    document.SetDocumentText(XmlDocument::kDeclaration);
    document.AddElement(L"macro");
    document.EnterElement();
    document.AddElement(L"macroinfo");
    document.SetAttribute(L"macro_name", name);
    document.SetAttribute(L"macro_type", macro.play_type);
    document.SetAttribute(L"play_times", macro.play_times);
    document.SetAttribute(L"delay_type", macro.delay_type);
    document.SetAttribute(L"delay_time", macro.delay_time);
    document.AddElement(L"macroitems");
    document.EnterElement();
    for (const MacroEventRecord& event : events) {
        document.AddElement(L"item");
        document.SetAttribute(L"desc", event.desc);
        document.SetAttribute(L"index", event.record_index);
        document.SetAttribute(L"type", event.type);
        document.SetAttribute(L"value", event.value);
        document.SetAttribute(L"timestamp", event.delay_time);
    }

    const std::filesystem::path file =
        folder / (ToUtf8(SafeFileName(name)) + "-" + std::to_string(tickMs) + ".xml");
    return document.SaveFile(file) ? file : std::filesystem::path();
}

bool MacroFile::Import(const std::filesystem::path& path, MacroRecord& imported)
{
    XmlDocument document;
    if (!document.LoadFile(path) || !document.FindElement(L"macro") || !document.EnterElement())
        return false;
    MacroRecord macro;
    if (document.FindElement(L"macroinfo")) {
        macro.name = document.GetAttribute(L"macro_name");
        macro.play_type = document.GetIntAttribute(L"macro_type");
        macro.play_times = document.GetIntAttribute(L"play_times");
        macro.delay_type = document.GetIntAttribute(L"delay_type");
        macro.delay_time = document.GetIntAttribute(L"delay_time");
    }
    std::vector<MacroEventRecord> events;
    if (document.FindElement(L"macroitems")) {
        document.EnterElement();
        while (document.FindElement(L"item")) {
            MacroEventRecord event;
            event.type = document.GetIntAttribute(L"type");
            event.record_index = document.GetIntAttribute(L"index");
            event.value = document.GetIntAttribute(L"value");
            event.delay_time = document.GetIntAttribute(L"timestamp");
            event.desc = document.GetAttribute(L"desc");
            events.push_back(std::move(event));
        }
    }

    const bool added = store_.RunTransaction([&] {
        macro.macro_id = store_.AddMacro(macro);
        if (macro.macro_id <= 0)
            return false;
        for (MacroEventRecord& event : events)
            event.macro_id = macro.macro_id;
        store_.AddMacroEvents(std::move(events));
        return true;
    });
    if (added)
        imported = macro;
    return added;
}

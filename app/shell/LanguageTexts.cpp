#include "app/shell/LanguageTexts.h"

#include "app/shell/GlibHandles.h"
#include "app/shell/ShellPaths.h"
#include "common/TextConvert.h"

#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path FileOf(const fs::path& folder, int languageId)
{
    return folder / (std::to_string(languageId) + ".lan");
}

// The file as UTF-8: a UTF-8 byte-order mark is dropped and UTF-16LE (marked) is converted, since
// language files written on other systems often come that way.
std::string AsUtf8(std::string bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return bytes.substr(3);
    if (bytes.starts_with("\xFF\xFE")) {
        gsize written = 0;
        GCharPtr converted(g_convert(bytes.data() + 2, static_cast<gssize>(bytes.size() - 2), "UTF-8",
                                     "UTF-16LE", nullptr, &written, nullptr));
        return converted ? std::string(converted.get(), written) : std::string();
    }
    return bytes;
}

// Keeps the lines an INI reader understands (sections, key=value, blanks, '#' comments) and drops the
// rest, such as ';' comments, so one odd line does not make the whole file unreadable.
std::string KeepIniLines(const std::string& text)
{
    std::istringstream in(text);
    std::string out;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        const bool keep = first == std::string::npos || line[first] == '[' || line[first] == '#' ||
                          (line[first] != ';' && line.find('=') != std::string::npos);
        if (keep)
            out.append(line).push_back('\n');
    }
    return out;
}

// An INI value as the system's own reader gives it: one pair of surrounding double quotes removed.
std::string Unquoted(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

std::wstring ReadText(const fs::path& file, std::string_view section, int id)
{
    gchar* raw = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(file.c_str(), &raw, &length, nullptr))
        return {};
    const std::string text = KeepIniLines(AsUtf8(std::string(GCharPtr(raw).get(), length)));

    GKeyFilePtr keys(g_key_file_new());
    if (!g_key_file_load_from_data(keys.get(), text.data(), text.size(), G_KEY_FILE_NONE, nullptr))
        return {};
    GCharPtr value(g_key_file_get_value(keys.get(), std::string(section).c_str(), std::to_string(id).c_str(),
                                        nullptr));
    if (!value)
        return {};
    std::wstring result = FromUtf8(Unquoted(value.get()));
    if (result.size() > LanguageTexts::kMaxTextLength)
        result.resize(LanguageTexts::kMaxTextLength);
    return result;
}

} // namespace

LanguageTexts::LanguageTexts(fs::path languageFolder, int languageId)
    : folder_(std::move(languageFolder)), languageId_(languageId)
{
}

LanguageTexts& LanguageTexts::Current()
{
    static LanguageTexts texts(fs::path(ToUtf8(GetProgramFolder())) / "language", kInitialLanguageId);
    return texts;
}

void LanguageTexts::SetLanguageFolder(fs::path languageFolder)
{
    std::lock_guard guard(lock_);
    folder_ = std::move(languageFolder);
}

void LanguageTexts::SetLanguageId(int languageId)
{
    std::lock_guard guard(lock_);
    languageId_ = languageId;
}

int LanguageTexts::LanguageId() const
{
    std::lock_guard guard(lock_);
    return languageId_;
}

bool LanguageTexts::HasLanguage(int languageId) const
{
    std::lock_guard guard(lock_);
    std::error_code error;
    return fs::is_regular_file(FileOf(folder_, languageId), error);
}

int LanguageTexts::UsableLanguageId(int languageId) const
{
    return HasLanguage(languageId) ? languageId : kFallbackLanguageId;
}

std::wstring LanguageTexts::GetLangText(std::wstring_view section, int id) const
{
    fs::path file;
    fs::path fallback;
    {
        std::lock_guard guard(lock_);
        file = FileOf(folder_, languageId_);
        fallback = FileOf(folder_, kFallbackLanguageId);
    }
    std::error_code error;
    return ReadText(fs::is_regular_file(file, error) ? file : fallback, ToUtf8(section), id);
}

int UserInterfaceLanguageId()
{
    // The first entry is the most preferred language ("ru_RU.UTF-8", "ru", ...); "C" ends the list.
    const gchar* const* names = g_get_language_names();
    const std::string_view first = names && names[0] ? names[0] : "";
    const bool russian = first.substr(0, 2) == "ru" && (first.size() == 2 || first[2] == '_' || first[2] == '.' || first[2] == '@');
    return russian ? 1049 : LanguageTexts::kFallbackLanguageId;
}

std::wstring GetLangText(std::wstring_view section, int id)
{
    return LanguageTexts::Current().GetLangText(section, id);
}

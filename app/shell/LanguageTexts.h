#pragma once
// User-visible texts read from the language files <language folder>/<LCID>.lan: INI files whose
// section "LAN" maps decimal text ids to texts. The file is read on every lookup, so a changed language
// file or language id takes effect at once.
// Thread contract: any thread; the folder and the current language id are guarded by one lock.

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

class LanguageTexts {
public:
    // The language whose file is read when the current language has none, so texts never go blank.
    static constexpr int kFallbackLanguageId = 1033;
    // The longest text a lookup returns, in characters.
    static constexpr std::size_t kMaxTextLength = 259;
    // The current language until start-up picks one.
    static constexpr int kInitialLanguageId = 2052;

    LanguageTexts(std::filesystem::path languageFolder, int languageId);

    // The process-wide texts: the program folder's "language" folder and kInitialLanguageId at first.
    static LanguageTexts& Current();

    void SetLanguageFolder(std::filesystem::path languageFolder);
    void SetLanguageId(int languageId);
    int LanguageId() const;

    // True when the folder holds a file for this language.
    bool HasLanguage(int languageId) const;
    // The language whose texts a lookup would give: the id itself when it has a file, else
    // kFallbackLanguageId. Start-up uses it so the settings page shows the language really in use.
    int UsableLanguageId(int languageId) const;

    // The text of key `id` in `section`, at most kMaxTextLength characters; empty when the file,
    // the section or the key is missing.
    std::wstring GetLangText(std::wstring_view section, int id) const;

private:
    mutable std::mutex lock_;
    std::filesystem::path folder_;
    int languageId_;
};

// The language of the user's desktop session as a language id: 1049 for Russian, 1033 otherwise
// (from LANGUAGE, LC_ALL, LC_MESSAGES and LANG, like every other program of the session).
int UserInterfaceLanguageId();

// LanguageTexts::Current().GetLangText(section, id).
std::wstring GetLangText(std::wstring_view section, int id);

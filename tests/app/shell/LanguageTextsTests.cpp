#include "app/shell/LanguageTexts.h"

#include "common/TextConvert.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class LanguageTextsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFile(temp / "1033.lan", "[LAN]\n60=Settings\n61=Exit\n");
        WriteFile(temp / "1049.lan", "[LAN]\r\n60=Настройки\r\n");
    }

    TempFolder temp;
};

} // namespace

TEST_F(LanguageTextsTest, TextComesFromTheFileOfTheCurrentLanguage)
{
    LanguageTexts texts(temp.Path(), 1033);
    EXPECT_EQ(texts.GetLangText(L"LAN", 60), L"Settings");
    texts.SetLanguageId(1049);
    EXPECT_EQ(texts.LanguageId(), 1049);
    EXPECT_EQ(texts.GetLangText(L"LAN", 60), L"Настройки");
}

TEST_F(LanguageTextsTest, MissingKeyOrSectionGivesAnEmptyText)
{
    const LanguageTexts texts(temp.Path(), 1049);
    EXPECT_EQ(texts.GetLangText(L"LAN", 61), L"");
    EXPECT_EQ(texts.GetLangText(L"OTHER", 60), L"");
}

TEST_F(LanguageTextsTest, LanguageWithoutAFileFallsBackToEnglish)
{
    for (const int id : {2052, 0, 1031}) {
        const LanguageTexts texts(temp.Path(), id);
        EXPECT_FALSE(texts.HasLanguage(id));
        EXPECT_EQ(texts.GetLangText(L"LAN", 61), L"Exit") << id;
    }
}

TEST_F(LanguageTextsTest, NoFilesAtAllGiveEmptyTexts)
{
    const LanguageTexts texts(temp / "missing", 1033);
    EXPECT_EQ(texts.GetLangText(L"LAN", 60), L"");
}

TEST_F(LanguageTextsTest, LongTextsAreCutAt259Characters)
{
    const std::wstring cyrillic(300, L'Ж');
    WriteFile(temp / "7.lan", "[LAN]\n1=" + std::string(259, 'a') + "\n2=" + std::string(260, 'b') + "\n3=" +
                                  ToUtf8(cyrillic) + "\n");
    const LanguageTexts texts(temp.Path(), 7);
    EXPECT_EQ(texts.GetLangText(L"LAN", 1), std::wstring(259, L'a'));
    EXPECT_EQ(texts.GetLangText(L"LAN", 2), std::wstring(259, L'b'));
    EXPECT_EQ(texts.GetLangText(L"LAN", 3), std::wstring(259, L'Ж'));
}

TEST_F(LanguageTextsTest, FilesAreReadAsAnIniReaderWould)
{
    const struct {
        const char* name;
        std::string bytes;
        const wchar_t* text;
    } cases[] = {
        {"byte-order mark", "\xEF\xBB\xBF[LAN]\n5=Marked\n", L"Marked"},
        {"semicolon comment", "; written by hand\n[LAN]\n; note\n5=Commented\n", L"Commented"},
        {"line without '='", "[LAN]\nstray line\n5=Stray\n", L"Stray"},
        {"quoted value", "[LAN]\n5=\"Quoted\"\n", L"Quoted"},
        {"blanks around '='", "[LAN]\n5 = Spaced\n", L"Spaced"},
        {"backslashes kept", "[LAN]\n5=C:\\new\\table\n", L"C:\\new\\table"},
        {"UTF-16", std::string("\xFF\xFE[\0L\0A\0N\0]\0\n\0" "5\0=\0\x16\x04\n\0", 22), L"Ж"},
    };
    for (const auto& c : cases) {
        WriteFile(temp / "9.lan", c.bytes);
        EXPECT_EQ(LanguageTexts(temp.Path(), 9).GetLangText(L"LAN", 5), c.text) << c.name;
    }
}

TEST_F(LanguageTextsTest, ProcessTextsUseTheirFolderAndLanguage)
{
    LanguageTexts& current = LanguageTexts::Current();
    EXPECT_EQ(current.LanguageId(), LanguageTexts::kInitialLanguageId);
    current.SetLanguageFolder(temp.Path());
    current.SetLanguageId(1049);
    EXPECT_EQ(GetLangText(L"LAN", 60), L"Настройки");
}

TEST_F(LanguageTextsTest, UsableLanguageIsTheOneWhoseTextsAreShown)
{
    const LanguageTexts texts(temp.Path(), 1033);
    EXPECT_EQ(texts.UsableLanguageId(1049), 1049);
    EXPECT_EQ(texts.UsableLanguageId(2052), LanguageTexts::kFallbackLanguageId);
    EXPECT_EQ(texts.UsableLanguageId(0), LanguageTexts::kFallbackLanguageId);
}

TEST(LanguageTexts, SessionLanguageIsRussianOnlyForRussianLocales)
{
    const struct {
        const char* language;
        int id;
    } cases[] = {{"ru_RU.UTF-8", 1049}, {"ru", 1049}, {"ru_UA", 1049}, {"en_US.UTF-8", 1033},
                 {"de_DE", 1033},       {"C", 1033},  {"rue_UA", 1033}};
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    unsetenv("LANG");
    for (const auto& c : cases) {
        setenv("LANGUAGE", c.language, 1);
        EXPECT_EQ(UserInterfaceLanguageId(), c.id) << c.language;
    }
    unsetenv("LANGUAGE");
}

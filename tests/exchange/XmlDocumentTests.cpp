#include "exchange/XmlDocument.h"

#include "common/TextConvert.h"

#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

// The little shape every exchange file has: a root, a section entered, items with attributes.
void BuildSample(XmlDocument& document)
{
    ASSERT_TRUE(document.SetDocumentText(XmlDocument::kDeclaration));
    ASSERT_TRUE(document.AddElement(L"macro"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.AddElement(L"macroinfo"));
    ASSERT_TRUE(document.SetAttribute(L"macro_name", L"Combo"));
    ASSERT_TRUE(document.SetAttribute(L"play_times", L"1"));
    ASSERT_TRUE(document.AddElement(L"macroitems"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.AddElement(L"item"));
    ASSERT_TRUE(document.SetAttribute(L"desc", L"A"));
    ASSERT_TRUE(document.AddElement(L"item"));
    ASSERT_TRUE(document.SetAttribute(L"desc", L"B"));
    ASSERT_TRUE(document.LeaveElement());
    ASSERT_TRUE(document.LeaveElement());
}

constexpr std::string_view kSampleBytes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<macro>\r\n"
    "<macroinfo macro_name=\"Combo\" play_times=\"1\"/>\r\n"
    "<macroitems>\r\n"
    "<item desc=\"A\"/>\r\n"
    "<item desc=\"B\"/>\r\n"
    "</macroitems>\r\n"
    "</macro>\r\n";

} // namespace

TEST(XmlDocument, SavesTheExactWrittenShape)
{
    TempFolder folder;
    XmlDocument document;
    BuildSample(document);
    const auto file = folder / "macro.xml";
    ASSERT_TRUE(document.SaveFile(file));
    EXPECT_EQ(ReadFile(file), kSampleBytes);
}

TEST(XmlDocument, SaveReplacesAnExistingFile)
{
    TempFolder folder;
    const auto file = folder.Write("macro.xml", std::string(4096, 'x'));
    XmlDocument document;
    BuildSample(document);
    ASSERT_TRUE(document.SaveFile(file));
    EXPECT_EQ(ReadFile(file), kSampleBytes);
}

TEST(XmlDocument, SaveFailsIntoAMissingFolder)
{
    TempFolder folder;
    XmlDocument document;
    BuildSample(document);
    EXPECT_FALSE(document.SaveFile(folder / "missing/macro.xml"));
}

TEST(XmlDocument, AddElementInsertsAfterTheCurrentElement)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r><a/><c/></r>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"a"));
    ASSERT_TRUE(document.AddElement(L"b"));
    EXPECT_EQ(document.GetDocumentText(), L"<r>\r\n<a/>\r\n<b/>\r\n<c/>\r\n</r>\r\n");
}

TEST(XmlDocument, AttributeValuesAreEscapedAndReadBackUnchanged)
{
    struct Case {
        std::wstring value;
        std::wstring written;
    };
    const std::vector<Case> cases = {
        {L"plain", L"plain"},
        {L"say \"hi\"", L"say &quot;hi&quot;"},
        {L"it's", L"it&apos;s"},
        {L"a<b>c&d", L"a&lt;b&gt;c&amp;d"},
        {L"two\r\nlines\tx", L"two&#13;&#10;lines&#9;x"},
        {L"配置方案 ü", L"配置方案 ü"},
        {L"", L""},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(document.SetDocumentText(XmlDocument::kDeclaration));
        ASSERT_TRUE(document.AddElement(L"r"));
        ASSERT_TRUE(document.SetAttribute(L"v", c.value));
        EXPECT_EQ(document.GetDocumentText(), std::wstring(XmlDocument::kDeclaration) + L"<r v=\"" + c.written + L"\"/>\r\n");
        ASSERT_TRUE(document.SaveFile(folder / "v.xml"));

        XmlDocument reread;
        ASSERT_TRUE(reread.LoadFile(folder / "v.xml"));
        ASSERT_TRUE(reread.FindElement(L"r"));
        EXPECT_EQ(reread.GetAttribute(L"v"), c.value);
    }
}

TEST(XmlDocument, SetAttributeReplacesAnExistingValue)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r a=\"1\"/>"));
    EXPECT_FALSE(document.SetAttribute(L"a", L"2")); // no current element yet
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.SetAttribute(L"a", L"2"));
    EXPECT_EQ(document.GetAttribute(L"a"), L"2");
    EXPECT_EQ(document.GetDocumentText(), L"<r a=\"2\"/>\r\n");
}

TEST(XmlDocument, RefusesBadNamesAndASecondRoot)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(XmlDocument::kDeclaration));
    for (std::wstring_view name : {L""sv, L"a b"sv, L"1a"sv, L"a/b"sv, L"a<"sv, L"a\""sv}) {
        EXPECT_FALSE(document.AddElement(name)) << ToUtf8(name);
    }
    ASSERT_TRUE(document.AddElement(L"root"));
    EXPECT_FALSE(document.AddElement(L"second"));
    EXPECT_FALSE(document.SetAttribute(L"bad name", L"x"));
    EXPECT_EQ(document.GetDocumentText(), std::wstring(XmlDocument::kDeclaration) + L"<root/>\r\n");
}

TEST(XmlDocument, FindElementOnlySearchesForward)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r><a/><b/><c/></r>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"c"));
    EXPECT_FALSE(document.FindElement(L"a"));
    // The failed search left the cursor on c: a new element goes after it.
    ASSERT_TRUE(document.AddElement(L"d"));
    EXPECT_EQ(document.GetDocumentText(), L"<r>\r\n<a/>\r\n<b/>\r\n<c/>\r\n<d/>\r\n</r>\r\n");
}

TEST(XmlDocument, FindElementMatchesNamesExactlyAndSkipsNestedElements)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r><x><item n=\"deep\"/></x><Item n=\"case\"/><item n=\"1\"/><item n=\"2\"/></r>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    std::vector<std::wstring> found;
    while (document.FindElement(L"item"))
        found.push_back(document.GetAttribute(L"n"));
    EXPECT_EQ(found, (std::vector<std::wstring>{L"1", L"2"}));
}

TEST(XmlDocument, EnterAndLeaveMoveBetweenLevels)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r><a k=\"1\"><b/></a><c/></r>"));
    EXPECT_FALSE(document.EnterElement()); // nothing current yet
    EXPECT_FALSE(document.LeaveElement()); // already at the top
    ASSERT_TRUE(document.FindElement(L"r"));
    ASSERT_TRUE(document.EnterElement());
    ASSERT_TRUE(document.FindElement(L"a"));
    ASSERT_TRUE(document.EnterElement());
    EXPECT_EQ(document.GetAttribute(L"k"), L""); // no current element inside a
    ASSERT_TRUE(document.FindElement(L"b"));
    ASSERT_TRUE(document.LeaveElement());
    EXPECT_EQ(document.GetAttribute(L"k"), L"1"); // a is current again
    EXPECT_TRUE(document.FindElement(L"c"));
    ASSERT_TRUE(document.LeaveElement());
    EXPECT_FALSE(document.LeaveElement());
}

TEST(XmlDocument, ReadsReferencesAndMissingAttributes)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r a=\"&#x4E2D;&#65;&lt;&amp;&gt;&apos;&quot;\" b=\"\"/>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    EXPECT_EQ(document.GetAttribute(L"a"), L"中A<&>'\"");
    EXPECT_EQ(document.GetAttribute(L"b"), L"");
    EXPECT_EQ(document.GetAttribute(L"missing"), L"");
}

TEST(XmlDocument, RejectsDocumentsThatAreNotWellFormed)
{
    const std::vector<std::string> cases = {
        "",
        "<?xml version=\"1.0\"?>\r\n",
        "<a/><b/>",
        "<a></a><a></a>",
        "<a><b></a>",
        "<a></b></a>",
        "</a>",
        "<a>",
        "<a b></a>",
        "<a b=\"1></a>",
        "<a b=\"1\" b=\"2\"/>",
        "<a><!-- open</a>",
        "<a><![CDATA[ open</a>",
        "<!DOCTYPE a [<a/>",
        "<a><!bogus></a>",
        "text<a/>",
        "<a/>trailing",
    };
    TempFolder folder;
    for (const std::string& bytes : cases) {
        XmlDocument document;
        EXPECT_FALSE(document.LoadFile(folder.Write("bad.xml", bytes))) << bytes;
        EXPECT_FALSE(document.FindElement(L"a")) << bytes;
        EXPECT_EQ(document.GetDocumentText(), L"") << bytes;
    }
}

TEST(XmlDocument, LoadFailsForAMissingFileAndEmptiesTheDocument)
{
    TempFolder folder;
    XmlDocument document;
    ASSERT_TRUE(document.LoadFile(folder.Write("good.xml", "<a/>")));
    EXPECT_FALSE(document.LoadFile(folder / "absent.xml"));
    EXPECT_FALSE(document.FindElement(L"a"));
    EXPECT_FALSE(document.LoadFile(folder.Path()));
}

TEST(XmlDocument, DecodesMarksDeclarationsAndCodePages)
{
    struct Case {
        const char* label;
        std::string bytes;
        std::wstring value;
    };
    const std::vector<Case> cases = {
        {"utf-8 with mark", "\xEF\xBB\xBF<r v=\"\xC3\xA9\"/>", L"é"},
        {"utf-8 undeclared", "<r v=\"\xE4\xB8\xAD\"/>", L"中"},
        {"utf-16le mark, utf-8 declared",
         "\xFF\xFE<\0?\0x\0m\0l\0 \0e\0n\0c\0o\0d\0i\0n\0g\0=\0\"\0U\0T\0F\0-\08\0\"\0?\0>\0<\0r\0 \0v\0=\0\"\0-N\"\0/\0>\0"s,
         L"中"},
        {"utf-16be mark", "\xFE\xFF\0<\0r\0 \0v\0=\0\"N-\0\"\0/\0>"s, L"中"},
        {"utf-16le unmarked", "<\0r\0 \0v\0=\0\"\0\xE9\0\"\0/\0>\0"s, L"é"},
        {"iso-8859-1 declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r v=\"\xE9\"/>", L"é"},
        {"gbk declared", "<?xml version='1.0' encoding = 'GBK'?><r v=\"\xD6\xD0\"/>", L"中"},
        {"windows-1251 declared", "<?xml version=\"1.0\" encoding=\"windows-1251\"?><r v=\"\xC0\"/>", L"А"},
        {"legacy undeclared", "<r v=\"\xE9\x80\"/>", L"é€"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(document.LoadFile(folder.Write("enc.xml", c.bytes))) << c.label;
        ASSERT_TRUE(document.FindElement(L"r")) << c.label;
        EXPECT_EQ(document.GetAttribute(L"v"), c.value) << c.label;
    }
}

TEST(XmlDocument, RejectsBytesInvalidInTheirEncoding)
{
    const std::vector<std::string> cases = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r v=\"\xE9\"/>",
        "\xEF\xBB\xBF<r v=\"\xFF\"/>",
        "<?xml version=\"1.0\" encoding=\"no-such-charset\"?><r/>",
        "\xFF\xFE<\0r\0/\0>"s, // odd byte count
    };
    TempFolder folder;
    for (const std::string& bytes : cases) {
        XmlDocument document;
        EXPECT_FALSE(document.LoadFile(folder.Write("enc.xml", bytes))) << bytes;
    }
}

TEST(XmlDocument, SavesInTheDeclaredEncodingWithoutAMark)
{
    struct Case {
        const wchar_t* encoding;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {L"ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r v=\"\xE9\"/>\r\n"},
        {L"GBK", "<?xml version=\"1.0\" encoding=\"GBK\"?>\r\n<r v=\"\xD6\xD0\"/>\r\n"},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        XmlDocument document;
        const std::wstring value = c.encoding == std::wstring(L"GBK") ? L"中" : L"é";
        ASSERT_TRUE(document.SetDocumentText(std::wstring(L"<?xml version=\"1.0\" encoding=\"") + c.encoding + L"\"?>"));
        ASSERT_TRUE(document.AddElement(L"r"));
        ASSERT_TRUE(document.SetAttribute(L"v", value));
        ASSERT_TRUE(document.SaveFile(folder / "out.xml"));
        EXPECT_EQ(ReadFile(folder / "out.xml"), c.bytes);

        XmlDocument reread;
        ASSERT_TRUE(reread.LoadFile(folder / "out.xml"));
        ASSERT_TRUE(reread.FindElement(L"r"));
        EXPECT_EQ(reread.GetAttribute(L"v"), value);
    }
}

TEST(XmlDocument, UnencodableTextLeavesTheOldFileInPlace)
{
    TempFolder folder;
    const auto file = folder.Write("out.xml", "old");
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"));
    ASSERT_TRUE(document.AddElement(L"r"));
    ASSERT_TRUE(document.SetAttribute(L"v", L"中"));
    EXPECT_FALSE(document.SaveFile(file));
    EXPECT_EQ(ReadFile(file), "old");
}

TEST(XmlDocument, DeepNestingIsReadAndWrittenWithoutExhaustingTheStack)
{
    constexpr int depth = 200000;
    std::string bytes;
    for (int i = 0; i < depth; ++i)
        bytes += "<a>";
    for (int i = 0; i < depth; ++i)
        bytes += "</a>";
    TempFolder folder;
    XmlDocument document;
    ASSERT_TRUE(document.LoadFile(folder.Write("deep.xml", bytes)));
    ASSERT_TRUE(document.SaveFile(folder / "copy.xml"));
    XmlDocument copy;
    EXPECT_TRUE(copy.LoadFile(folder / "copy.xml"));
}

TEST(XmlDocument, NumbersAreWrittenAndReadInDecimal)
{
    XmlDocument document;
    ASSERT_TRUE(document.SetDocumentText(L"<r a=\" 12ms\" b=\"x\" c=\"-7\"/>"));
    ASSERT_TRUE(document.FindElement(L"r"));
    EXPECT_EQ(document.GetIntAttribute(L"a"), 12);
    EXPECT_EQ(document.GetIntAttribute(L"b"), 0);
    EXPECT_EQ(document.GetIntAttribute(L"c"), -7);
    EXPECT_EQ(document.GetIntAttribute(L"missing"), 0);
    ASSERT_TRUE(document.SetAttribute(L"d", -2147483647 - 1));
    EXPECT_EQ(document.GetDocumentText(), L"<r a=\" 12ms\" b=\"x\" c=\"-7\" d=\"-2147483648\"/>\r\n");
}

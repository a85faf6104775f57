#include "exchange/MacroFile.h"

#include "common/TextConvert.h"
#include "store/StoreFixture.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class MacroFileTest : public StoreFixture {
protected:
    std::filesystem::path Write(std::string_view xml) const { return folder_.Write("in.xml", xml); }

    SqlRows Macros() const { return Query("SELECT * FROM t_macro_data ORDER BY macro_id"); }
    SqlRows Events() const
    {
        return Query("SELECT macro_id, type, record_index, desc, value, delay_time FROM t_macrorecord ORDER BY record_id");
    }

    MacroFile file_{store_};
};

constexpr std::string_view kComboFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<macro>\r\n"
    "<macroinfo macro_name=\"Combo &amp; Go\" macro_type=\"2\" play_times=\"3\" delay_type=\"1\" delay_time=\"25\"/>\r\n"
    "<macroitems>\r\n"
    "<item desc=\"A\" index=\"0\" type=\"1\" value=\"65\" timestamp=\"10\"/>\r\n"
    "<item desc=\"A up\" index=\"1\" type=\"2\" value=\"65\" timestamp=\"-5\"/>\r\n"
    "</macroitems>\r\n"
    "</macro>\r\n";

} // namespace

TEST_F(MacroFileTest, ExportWritesTheMacroIntoTheFolderByteForByte)
{
    const int id = store_.AddMacro(MacroRecord{0, L"stored name", 2, 3, 1, 25});
    // Inserted out of order: the file lists events by index.
    ASSERT_GT(store_.AddMacroEvent(MacroEventRecord{0, id, 2, 1, 65, -5, L"A up"}), 0);
    ASSERT_GT(store_.AddMacroEvent(MacroEventRecord{0, id, 1, 0, 65, 10, L"A"}), 0);

    const auto written = file_.Export(id, L"Combo & Go", folder_.Path(), 123456);
    EXPECT_EQ(written, folder_ / "Combo & Go-123456.xml");
    EXPECT_EQ(ReadFile(written), kComboFile);
}

TEST_F(MacroFileTest, ExportOfAMissingMacroWritesNothing)
{
    EXPECT_EQ(file_.Export(5, L"Ghost", folder_.Path(), 1), std::filesystem::path());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 1); // only db
}

TEST_F(MacroFileTest, ExportedNamesStayInsideTheChosenFolder)
{
    const int id = store_.AddMacro(L"m");
    for (const wchar_t* name : {L"../../evil", L"a/b\\c", L"..", L".hidden", L"tab\there", L""}) {
        const auto written = file_.Export(id, name, folder_.Path(), 7);
        ASSERT_FALSE(written.empty()) << ToUtf8(name);
        EXPECT_EQ(written.parent_path(), folder_.Path()) << ToUtf8(name);
        EXPECT_TRUE(std::filesystem::is_regular_file(written)) << ToUtf8(name);
    }
}

TEST(MacroFileName, IsMadeSafe)
{
    struct Case {
        std::wstring name;
        std::wstring safe;
    };
    const std::vector<Case> cases = {
        {L"Combo", L"Combo"},
        {L"宏 1", L"宏 1"},
        {L"a/b\\c", L"a_b_c"},
        {L"../x", L"___x"},
        {L"a..b.c", L"a__b.c"},
        {L".hidden", L"_hidden"},
        {L"line\nbreak\x7f", L"line_break_"},
        {L"", L"macro"},
        {std::wstring(300, L'x'), std::wstring(200, L'x')},
        {std::wstring(100, L'宏'), std::wstring(66, L'宏')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MacroFile::SafeFileName(c.name), c.safe) << ToUtf8(c.name);
}

TEST_F(MacroFileTest, ImportingTwiceGivesTwoMacrosWithTheirOwnEvents)
{
    const auto path = Write(kComboFile);
    MacroRecord first;
    MacroRecord second;
    ASSERT_TRUE(file_.Import(path, first));
    ASSERT_TRUE(file_.Import(path, second));
    EXPECT_EQ(first.macro_id, 1);
    EXPECT_EQ(second.macro_id, 2);
    EXPECT_EQ(second.name, L"Combo & Go");
    EXPECT_EQ(Macros(), (SqlRows{{"1", "Combo & Go", "2", "3", "1", "25"}, {"2", "Combo & Go", "2", "3", "1", "25"}}));
    EXPECT_EQ(Events(), (SqlRows{{"1", "1", "0", "A", "65", "10"},
                                 {"1", "2", "1", "A up", "65", "-5"},
                                 {"2", "1", "0", "A", "65", "10"},
                                 {"2", "2", "1", "A up", "65", "-5"}}));
}

TEST_F(MacroFileTest, ImportKeepsIndexGapsAndReadsBackInIndexOrder)
{
    MacroRecord macro;
    ASSERT_TRUE(file_.Import(Write("<macro><macroinfo macro_name=\"g\"/><macroitems>"
                                   "<item index=\"9\" desc=\"c\"/><item index=\"2\" desc=\"a\"/><item index=\"5\" desc=\"b\"/>"
                                   "</macroitems></macro>"),
                             macro));
    std::vector<MacroEventRecord> events;
    ASSERT_EQ(store_.GetMacroEvents(macro.macro_id, events), 3);
    EXPECT_EQ(events[0].record_index, 2);
    EXPECT_EQ(events[1].record_index, 5);
    EXPECT_EQ(events[2].record_index, 9);
    EXPECT_EQ(events[2].desc, L"c");
}

TEST_F(MacroFileTest, ImportOfSparseFiles)
{
    struct Case {
        const char* xml;
        SqlRows macro;
        size_t events;
    };
    const std::vector<Case> cases = {
        {"<macro><macroinfo macro_name=\"solo\" play_times=\"4\"/></macro>", {{"solo", "0", "4", "0", "0"}}, 0},
        {"<macro><macroinfo/><macroitems><item/></macroitems></macro>", {{"", "0", "0", "0", "0"}}, 1},
        {"<macro/>", {{"", "0", "0", "0", "0"}}, 0},
        {"<macro><macroinfo macro_type=\"x1\" delay_time=\" 12ms\"/></macro>", {{"", "0", "0", "0", "12"}}, 0},
    };
    for (const Case& c : cases) {
        Query("DELETE FROM t_macro_data; DELETE FROM t_macrorecord");
        MacroRecord macro;
        ASSERT_TRUE(file_.Import(Write(c.xml), macro)) << c.xml;
        EXPECT_EQ(Query("SELECT name, play_type, play_times, delay_type, delay_time FROM t_macro_data"), c.macro) << c.xml;
        EXPECT_EQ(Events().size(), c.events) << c.xml;
    }
}

TEST_F(MacroFileTest, UnusableFilesAddNothing)
{
    const std::vector<std::string> cases = {
        "<macro><macroinfo macro_name=\"x\"></macro>",
        "<profile><macroinfo macro_name=\"x\"/></profile>",
        "<macro/><macro/>",
        "",
    };
    MacroRecord macro{7, L"untouched", 0, 0, 0, 0};
    for (const std::string& xml : cases)
        EXPECT_FALSE(file_.Import(Write(xml), macro)) << xml;
    EXPECT_FALSE(file_.Import(folder_ / "absent.xml", macro));
    EXPECT_EQ(macro.macro_id, 7);
    EXPECT_EQ(macro.name, L"untouched");
    EXPECT_TRUE(Macros().empty());
}

TEST_F(MacroFileTest, AStoreFailureAddsNeitherMacroNorEvents)
{
    Query("CREATE TRIGGER refuse BEFORE INSERT ON t_macrorecord WHEN NEW.record_index = 1 "
          "BEGIN SELECT RAISE(ABORT, 'no'); END");
    MacroRecord macro;
    EXPECT_FALSE(file_.Import(Write(kComboFile), macro));
    EXPECT_TRUE(Macros().empty());
    EXPECT_TRUE(Events().empty());
}

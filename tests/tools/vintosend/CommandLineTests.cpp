// The message tool's command line: what it accepts and what it refuses.
#include "CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(VintosendCommandLine, ParsesWhatToSend)
{
    struct Case {
        std::vector<std::string> args;
        bool valid;
        SendRequest expected;
    };
    const Case cases[] = {
        {{"Pelmaro", "1692", "2"}, true, {"", "Pelmaro", false, 1692, 2, 0}},
        {{"Pelmaro", "1705", "2", "-3"}, true, {"", "Pelmaro", false, 1705, 2, -3}},
        {{"--display", ":7", "Pelmaro", "0x7E6"}, true, {":7", "Pelmaro", false, 2022, 0, 0}},
        {{"Pelmaro", "1674", "0xFFFFFFFF", "0xFFFFFFFF"}, true, {"", "Pelmaro", false, 1674, 0xFFFFFFFFu, -1}},
        {{"Pelmaro", "--raise"}, true, {"", "Pelmaro", true, 0, 0, 0}},
        {{}, false, {}},
        {{"Pelmaro"}, false, {}},
        {{"", "1692"}, false, {}},
        {{"Pelmaro", "--raise", "1"}, false, {}},
        {{"Pelmaro", "1692", "1", "2", "3"}, false, {}},
        {{"Pelmaro", "12a"}, false, {}},
        {{"Pelmaro", "-1"}, false, {}},
        {{"Pelmaro", "4294967296"}, false, {}},
        {{"Pelmaro", "1", "2", "-2147483649"}, false, {}},
        {{"Pelmaro", "0x"}, false, {}},
        {{"--display"}, false, {}},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& a : c.args)
            joined += "[" + a + "]";
        SCOPED_TRACE(joined);
        const std::optional<SendRequest> r = ParseCommandLine(c.args);
        ASSERT_EQ(r.has_value(), c.valid);
        if (!r)
            continue;
        EXPECT_EQ(r->display, c.expected.display);
        EXPECT_EQ(r->name, c.expected.name);
        EXPECT_EQ(r->raise, c.expected.raise);
        EXPECT_EQ(r->message, c.expected.message);
        EXPECT_EQ(r->wParam, c.expected.wParam);
        EXPECT_EQ(r->lParam, c.expected.lParam);
    }
}

} // namespace

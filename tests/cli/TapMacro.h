#pragma once
// A macro file of three events, as the window writes one: A pressed, 50 ms, A released.

#include <string_view>

inline constexpr std::string_view kTapMacroFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<macro>\r\n"
    "<macroinfo macro_name=\"Tap A\" macro_type=\"0\" play_times=\"1\" delay_type=\"1\" delay_time=\"0\"/>\r\n"
    "<macroitems>\r\n"
    "<item desc=\"A\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"0\"/>\r\n"
    "<item desc=\"50 ms\" index=\"1\" type=\"1\" value=\"50\" timestamp=\"50\"/>\r\n"
    "<item desc=\"A\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"0\"/>\r\n"
    "</macroitems>\r\n"
    "</macro>\r\n";

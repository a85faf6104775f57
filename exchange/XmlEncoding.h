#pragma once
// Turns the bytes of an XML file into UTF-8 text and back. A byte-order mark decides first, then the
// encoding named in the XML declaration, then a guess (UTF-8 when the bytes are valid UTF-8, the
// locale's legacy code page otherwise). Other code pages go through iconv.
// Thread contract: pure functions, callable from any thread.

#include <optional>
#include <string>
#include <string_view>

class XmlEncoding {
public:
    // UTF-8 text of a whole file without its byte-order mark; nullopt when the bytes are not valid in
    // the encoding that applies or that encoding is unknown.
    static std::optional<std::string> DecodeFile(std::string_view bytes);

    // `utf8` converted to `encoding` (UTF-8 when empty), never with a byte-order mark; nullopt when
    // the encoding is unknown or cannot hold some character of the text.
    static std::optional<std::string> EncodeFile(std::string_view utf8, std::string_view encoding);

    // The value of the encoding pseudo-attribute of the XML declaration at the start of `text`
    // (which must be ASCII-compatible); empty when there is no declaration or it names none.
    static std::string DeclaredEncoding(std::string_view text);
};

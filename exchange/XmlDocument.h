#pragma once
// An XML document held in memory and walked with a cursor, used for every XML file the program reads
// or writes (device catalogue and layouts, update manifest, profile and macro files).
//
// The cursor has a parent level (the document itself at first) and a current element at that level
// (none at first). FindElement moves forward only: it searches the siblings after the current
// element, so elements must be looked for in the order they appear in the file. Attribute texts are
// read as written, with entity and character references decoded; a missing element or attribute
// reads as the empty text.
//
// Written text has an exact shape: every element starts its own line, lines end in CR LF, there is
// no indentation, an element without children is written "<name .../>", and attribute values
// escape < & > ' " as &lt; &amp; &gt; &apos; &quot; (and CR, LF, TAB as character references so
// they survive reading back). SaveFile writes in the encoding named by the XML declaration and never
// writes a byte-order mark.
//
// Thread contract: one thread at a time per instance; separate instances are independent.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

class XmlDocument {
public:
    // The text every written document starts with.
    static constexpr std::wstring_view kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

    XmlDocument();
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

    // Reads and decodes the file and parses it; the cursor returns to the start. True only when the
    // file was read and holds exactly one root element and nothing malformed; otherwise the
    // document is left empty, so every search fails.
    bool LoadFile(const std::filesystem::path& path);

    // Replaces the document with `text` and parses it. Unlike LoadFile, a text without a root element
    // (a bare declaration, to be filled with AddElement) is accepted.
    bool SetDocumentText(std::wstring_view text);

    // The document in its written shape (see above), as saved by SaveFile before encoding.
    std::wstring GetDocumentText() const;

    // Searches the current level for the next element named exactly `name`, starting after the
    // current element (at the first element when there is none). On success it becomes current; on
    // failure the cursor stays where it was.
    bool FindElement(std::wstring_view name);

    // The current element becomes the parent level, with no current element. False without one.
    bool EnterElement();

    // The parent level becomes the current element again. False at the top level.
    bool LeaveElement();

    // The attribute's value on the current element; empty when either is missing.
    std::wstring GetAttribute(std::wstring_view name) const;
    // The attribute read with the program's decimal rule (DecimalToInt): missing, empty or
    // non-numeric values read as 0.
    int GetIntAttribute(std::wstring_view name) const;

    // Inserts an empty element after the current one (at the end of the level when there is none)
    // and makes it current. False for a name that is not an XML name, or for a second root element.
    bool AddElement(std::wstring_view name);

    // Sets or replaces an attribute of the current element. False without a current element or for
    // a name that is not an XML name.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    // The same with the number written in decimal.
    bool SetAttribute(std::wstring_view name, int value);

    // Writes the document, replacing any file of that name only once the new text is fully written.
    // False when the text cannot be encoded as declared or the file cannot be written.
    bool SaveFile(const std::filesystem::path& path) const;

private:
    struct Impl; // keeps the parser out of this header
    std::unique_ptr<Impl> impl_;
};

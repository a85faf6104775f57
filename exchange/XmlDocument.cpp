#include "exchange/XmlDocument.h"

#include "common/TextConvert.h"
#include "exchange/XmlEncoding.h"

#include <glib.h>
#include <pugixml.hpp>

#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

// Exchange files are a few kilobytes; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxFileBytes = 32u * 1024u * 1024u;

constexpr unsigned kParseOptions =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_doctype | pugi::parse_fragment;

bool IsNameChar(wchar_t c, bool first)
{
    if (c >= 0x80)
        return true;
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c == L':')
        return true;
    return !first && ((c >= L'0' && c <= L'9') || c == L'-' || c == L'.');
}

bool IsXmlName(std::wstring_view name)
{
    if (name.empty())
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (!IsNameChar(name[i], i == 0))
            return false;
    }
    return true;
}

void AppendEscaped(std::string& out, const char* text, bool attribute)
{
    for (; *text; ++text) {
        switch (*text) {
        case '<': out += "&lt;"; break;
        case '&': out += "&amp;"; break;
        case '>': out += "&gt;"; break;
        case '\'': out += attribute ? "&apos;" : "'"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        case '\r': out += attribute ? "&#13;" : "\r"; break;
        case '\n': out += attribute ? "&#10;" : "\n"; break;
        case '\t': out += attribute ? "&#9;" : "\t"; break;
        default: out += *text;
        }
    }
}

void AppendAttributes(std::string& out, pugi::xml_node node)
{
    for (pugi::xml_attribute attribute : node.attributes()) {
        out += ' ';
        out += attribute.name();
        out += "=\"";
        AppendEscaped(out, attribute.value(), true);
        out += '"';
    }
}

bool IsInline(pugi::xml_node node)
{
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

void AppendOpening(std::string& out, pugi::xml_node node)
{
    switch (node.type()) {
    case pugi::node_element:
        out += '<';
        out += node.name();
        AppendAttributes(out, node);
        if (!node.first_child())
            out += "/>\r\n";
        else
            out += IsInline(node.first_child()) ? ">" : ">\r\n";
        break;
    case pugi::node_declaration:
        out += "<?";
        out += node.name();
        AppendAttributes(out, node);
        out += "?>\r\n";
        break;
    case pugi::node_pcdata:
        AppendEscaped(out, node.value(), false);
        break;
    case pugi::node_cdata:
        out += "<![CDATA[";
        out += node.value();
        out += "]]>";
        break;
    case pugi::node_comment:
        out += "<!--";
        out += node.value();
        out += "-->\r\n";
        break;
    case pugi::node_pi:
        out += "<?";
        out += node.name();
        out += ' ';
        out += node.value();
        out += "?>\r\n";
        break;
    case pugi::node_doctype:
        out += "<!DOCTYPE ";
        out += node.value();
        out += ">\r\n";
        break;
    default:
        break;
    }
}

// Visits every node in document order, calling `leave` after an element's children. It walks
// without recursion, so a deeply nested file read from outside cannot exhaust the stack.
template <typename Enter, typename Leave>
void WalkTree(const pugi::xml_document& document, Enter enter, Leave leave)
{
    pugi::xml_node node = document.first_child();
    while (node) {
        enter(node);
        if (node.type() == pugi::node_element && node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (!node.next_sibling()) {
            node = node.parent();
            if (node.type() == pugi::node_document)
                return;
            leave(node);
        }
        node = node.next_sibling();
    }
}

std::string Serialize(const pugi::xml_document& document)
{
    std::string out;
    WalkTree(
        document, [&](pugi::xml_node node) { AppendOpening(out, node); },
        [&](pugi::xml_node element) {
            out += "</";
            out += element.name();
            out += ">\r\n";
        });
    return out;
}

bool HasUniqueAttributes(pugi::xml_node element)
{
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        for (pugi::xml_attribute b = a.next_attribute(); b; b = b.next_attribute()) {
            if (std::strcmp(a.name(), b.name()) == 0)
                return false;
        }
    }
    return true;
}

// The checks the parser leaves to its caller: one root at most, no text beside it, no attribute
// named twice on one element.
bool IsWellFormedTree(const pugi::xml_document& document, bool requireRoot)
{
    int roots = 0;
    for (pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_element)
            ++roots;
        else if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata)
            return false;
    }
    if (roots > 1 || (requireRoot && roots == 0))
        return false;
    bool unique = true;
    WalkTree(
        document, [&](pugi::xml_node node) { unique = unique && HasUniqueAttributes(node); },
        [](pugi::xml_node) {});
    return unique;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileBytes)
        return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return bytes;
}

} // namespace

struct XmlDocument::Impl {
    pugi::xml_document document;
    pugi::xml_node parent;
    pugi::xml_node current;

    void ResetCursor()
    {
        parent = document;
        current = pugi::xml_node();
    }

    // Parses UTF-8 text; on failure the document is left empty.
    bool Parse(const std::string& utf8, bool requireRoot)
    {
        const pugi::xml_parse_result result =
            document.load_buffer(utf8.data(), utf8.size(), kParseOptions, pugi::encoding_utf8);
        // Fragment parsing keeps text found beside the root, so that it can be refused, and accepts a
        // bare declaration, which writers start from.
        const bool usable = result && IsWellFormedTree(document, requireRoot);
        if (!usable)
            document.reset();
        ResetCursor();
        return usable;
    }
};

XmlDocument::XmlDocument() : impl_(std::make_unique<Impl>())
{
    impl_->ResetCursor();
}

XmlDocument::~XmlDocument() = default;

bool XmlDocument::LoadFile(const std::filesystem::path& path)
{
    std::optional<std::string> text;
    if (auto bytes = ReadFileBytes(path))
        text = XmlEncoding::DecodeFile(*bytes);
    if (!text) {
        impl_->document.reset();
        impl_->ResetCursor();
        return false;
    }
    return impl_->Parse(*text, true);
}

bool XmlDocument::SetDocumentText(std::wstring_view text)
{
    return impl_->Parse(ToUtf8(text), false);
}

std::wstring XmlDocument::GetDocumentText() const
{
    return FromUtf8(Serialize(impl_->document));
}

bool XmlDocument::FindElement(std::wstring_view name)
{
    const std::string wanted = ToUtf8(name);
    pugi::xml_node node = impl_->current ? impl_->current.next_sibling() : impl_->parent.first_child();
    for (; node; node = node.next_sibling()) {
        if (node.type() == pugi::node_element && wanted == node.name()) {
            impl_->current = node;
            return true;
        }
    }
    return false;
}

bool XmlDocument::EnterElement()
{
    if (!impl_->current)
        return false;
    impl_->parent = impl_->current;
    impl_->current = pugi::xml_node();
    return true;
}

bool XmlDocument::LeaveElement()
{
    if (impl_->parent.type() == pugi::node_document)
        return false;
    impl_->current = impl_->parent;
    impl_->parent = impl_->parent.parent();
    return true;
}

std::wstring XmlDocument::GetAttribute(std::wstring_view name) const
{
    if (!impl_->current)
        return {};
    return FromUtf8(impl_->current.attribute(ToUtf8(name).c_str()).value());
}

int XmlDocument::GetIntAttribute(std::wstring_view name) const
{
    return DecimalToInt(GetAttribute(name));
}

bool XmlDocument::AddElement(std::wstring_view name)
{
    if (!IsXmlName(name))
        return false;
    if (impl_->parent.type() == pugi::node_document && impl_->document.document_element())
        return false;
    const std::string tag = ToUtf8(name);
    pugi::xml_node added = impl_->current ? impl_->parent.insert_child_after(tag.c_str(), impl_->current)
                                          : impl_->parent.append_child(tag.c_str());
    if (!added)
        return false;
    impl_->current = added;
    return true;
}

bool XmlDocument::SetAttribute(std::wstring_view name, std::wstring_view value)
{
    if (!impl_->current || !IsXmlName(name))
        return false;
    const std::string key = ToUtf8(name);
    pugi::xml_attribute attribute = impl_->current.attribute(key.c_str());
    if (!attribute)
        attribute = impl_->current.append_attribute(key.c_str());
    return attribute && attribute.set_value(ToUtf8(value).c_str());
}

bool XmlDocument::SetAttribute(std::wstring_view name, int value)
{
    return SetAttribute(name, std::to_wstring(value));
}

bool XmlDocument::SaveFile(const std::filesystem::path& path) const
{
    const std::string text = Serialize(impl_->document);
    const std::optional<std::string> bytes = XmlEncoding::EncodeFile(text, XmlEncoding::DeclaredEncoding(text));
    if (!bytes)
        return false;
    // g_file_set_contents writes a temporary file and renames it over the old one, so a full disk
    // or a crash never leaves a half-written file in place of a good one.
    return g_file_set_contents(path.c_str(), bytes->data(), static_cast<gssize>(bytes->size()), nullptr);
}

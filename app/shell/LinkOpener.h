#pragma once
// Opens a web link (or a mail or file link) in the user's preferred program through xdg-open, without
// waiting for that program.
// Thread contract: any thread.

#include <string>
#include <string_view>

class LinkOpener {
public:
    explicit LinkOpener(std::string program = "xdg-open") : program_(std::move(program)) {}

    // True when the opener was started. A link that is not http, https, mailto or file is refused, so
    // text from outside can never become an option or a local command.
    bool Open(std::wstring_view link) const;

    static bool IsOpenableLink(std::string_view link);

private:
    std::string program_;
};

// vintosend: reaches the main window of a running program on the X display by the name it is
// marked with, and either raises it or posts it one message.
//   vintosend [--display D] NAME --raise
//   vintosend [--display D] NAME MESSAGE [WPARAM [LPARAM]]
// Exit status: 0 done, 1 no window carries the name, 2 bad command line, 3 no display.
#include "CommandLine.h"

#include "vinto/platform/Utf8.h"
#include "vinto/platform/X11Peer.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const std::optional<SendRequest> request = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!request) {
        std::fprintf(stderr, "usage: vintosend [--display D] NAME --raise\n"
                             "       vintosend [--display D] NAME MESSAGE [WPARAM [LPARAM]]\n");
        return 2;
    }
    const std::unique_ptr<Vinto::X11Peer> peer =
        Vinto::X11Peer::Open(request->display.empty() ? nullptr : request->display.c_str());
    if (!peer) {
        std::fprintf(stderr, "vintosend: cannot open the display\n");
        return 3;
    }
    const unsigned long window = peer->FindMarkedWindow(Vinto::Utf8ToWide(request->name));
    if (!window) {
        std::fprintf(stderr, "vintosend: no window is marked \"%s\"\n", request->name.c_str());
        return 1;
    }
    const bool done = request->raise ? peer->Raise(window)
                                     : peer->Post(window, request->message, request->wParam, request->lParam);
    return done ? 0 : 1;
}

#pragma once
// What the update needs from the main window: posting it messages, asking the user, queueing worker
// tasks, language texts, and ending the program once an installer has been started. The window
// implements it; tests record the calls.
// Thread contract: Post may be called from any thread; AskUser, LanguageText and QueueTask on the UI
// thread; EndProgram on the worker thread that started the installer.

#include <cstdint>
#include <string>

class UpdateWindow {
public:
    // Download progress: wParam 0, lParam 0 to 100 (it shares the tray icon's callback number; the
    // tray handler ignores values this small).
    static constexpr unsigned kProgressMessage = 1690;
    // Update offer: wParam 1 driver package, 2 firmware tool.
    static constexpr unsigned kUpdateOfferMessage = 1692;
    static constexpr int kDriverPackageTask = 21;
    static constexpr int kFirmwareToolTask = 22;

    virtual ~UpdateWindow() = default;

    // Queues the message for the window's thread without waiting, as an outside sender would.
    virtual void Post(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // Shows the program's message box and returns the user's answer (1 for yes).
    virtual int AskUser(const std::wstring& message, const std::wstring& title, int style) = 0;
    virtual std::wstring LanguageText(int id) = 0;
    virtual void QueueTask(int task) = 0;
    // Leaves the program at once with exit code 0 so the installer can replace it.
    virtual void EndProgram() = 0;
};

#pragma once
// Process-wide toolkit settings: the default text font, the accent (select) colour, the device
// name, and where the program's data lies (skin images, font files).
// Thread contract: set on the UI thread before windows are made; read from any thread.

#include "vinto/platform/Message.h"

#include <cstdint>
#include <string>

namespace Vinto {

class Manager {
public:
    static void SetFontName(const wchar_t* name);
    static void SetFont(const wchar_t* name, int size);
    static std::wstring GetFontName();
    static int GetFontWidth();

    static void SetSelectColor(uint32_t argb);
    static uint32_t GetSelectColor();
    // The select colour as 0x00BBGGRR.
    static uint32_t GetSelectColorRef();

    static void SetDeviceName(const wchar_t* name);
    static std::wstring GetDeviceName();

    // The theme folder inside "skins".
    static const wchar_t* GetTheme() { return L"theme1/"; }
    // The program's data folder (UTF-8): by default "<folder of the executable>/../share/pelmaro".
    static void SetProgramFolder(const std::string& utf8Path);
    static std::string GetProgramFolder();
    // "<program folder>/skins/theme1/<name>", with backslashes in `name` read as folder separators.
    static std::string SkinPath(const wchar_t* fileName);
    // Dispatches messages until WM_QUIT (returns its code); a message met while Alt and F4 are both
    // held is dropped, so the shortcut never closes a window behind the program's back.
    static int MessageLoop();
    // 1 exactly when Alt and F4 are both held.
    static int PreTranslateMessage(const Message& msg);

    // "<program folder>/font/<name>".
    static std::string FontPath(const char* fileName);
};

// Converts between 0xAARRGGBB and 0x00BBGGRR (the alpha of the result is 0xFF / dropped).
uint32_t ColorRefToArgb(uint32_t colorRef);
uint32_t ArgbToColorRef(uint32_t argb);

} // namespace Vinto

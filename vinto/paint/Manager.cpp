#include "vinto/paint/Manager.h"

#include "vinto/platform/Messages.h"
#include "vinto/platform/Utf8.h"
#include "vinto/platform/WindowSystem.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>

namespace Vinto {

namespace {

struct Settings {
    std::mutex lock;
    std::wstring fontName = L"Segoe UI";
    int fontWidth = 16;
    std::wstring deviceName = L"Pelmaro";
    std::string programFolder;
};

Settings& The()
{
    static Settings settings;
    return settings;
}

std::atomic<uint32_t> selectColor{0xFF49FFE6};

std::string DefaultProgramFolder()
{
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "share/pelmaro";
    return (exe.parent_path().parent_path() / "share" / "pelmaro").string();
}

} // namespace

void Manager::SetFontName(const wchar_t* name)
{
    std::lock_guard guard(The().lock);
    The().fontName = name ? name : L"";
}

void Manager::SetFont(const wchar_t* name, int size)
{
    std::lock_guard guard(The().lock);
    The().fontName = name ? name : L"";
    The().fontWidth = size;
}

std::wstring Manager::GetFontName()
{
    std::lock_guard guard(The().lock);
    return The().fontName;
}

int Manager::GetFontWidth()
{
    std::lock_guard guard(The().lock);
    return The().fontWidth;
}

void Manager::SetSelectColor(uint32_t argb) { selectColor = argb; }
uint32_t Manager::GetSelectColor() { return selectColor; }
uint32_t Manager::GetSelectColorRef() { return ArgbToColorRef(selectColor); }

void Manager::SetDeviceName(const wchar_t* name)
{
    std::lock_guard guard(The().lock);
    The().deviceName = name ? name : L"";
}

std::wstring Manager::GetDeviceName()
{
    std::lock_guard guard(The().lock);
    return The().deviceName;
}

void Manager::SetProgramFolder(const std::string& utf8Path)
{
    std::lock_guard guard(The().lock);
    The().programFolder = utf8Path;
}

std::string Manager::GetProgramFolder()
{
    std::lock_guard guard(The().lock);
    if (The().programFolder.empty())
        The().programFolder = DefaultProgramFolder();
    return The().programFolder;
}

std::string Manager::SkinPath(const wchar_t* fileName)
{
    std::string name = WideToUtf8(fileName ? fileName : L"");
    std::replace(name.begin(), name.end(), '\\', '/');
    return GetProgramFolder() + "/skins/" + WideToUtf8(GetTheme()) + name;
}

int Manager::PreTranslateMessage(const Message&)
{
    WindowSystem* system = WindowSystem::Current();
    return system != nullptr && system->GetKeyState(VK_MENU) < 0 && system->GetKeyState(VK_F4) < 0 ? 1 : 0;
}

int Manager::MessageLoop()
{
    WindowSystem* system = WindowSystem::Current();
    if (system == nullptr)
        return 0;
    Message msg;
    while (system->GetMessage(msg))
        if (!PreTranslateMessage(msg))
            system->DispatchMessage(msg);
    return static_cast<int>(msg.wParam);
}

std::string Manager::FontPath(const char* fileName) { return GetProgramFolder() + "/font/" + fileName; }

uint32_t ColorRefToArgb(uint32_t c)
{
    return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

uint32_t ArgbToColorRef(uint32_t argb)
{
    return ((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF);
}

} // namespace Vinto

#include "vinto/platform/KeyNames.h"

#include "vinto/platform/Messages.h"

#include <xkbcommon/xkbcommon.h>

namespace Vinto {

namespace {

struct Named {
    uint32_t vk;
    const wchar_t* name;
};

// Keys without a character of their own, and the modifier keys, whose names the program fixes.
const Named kNamed[] = {
    {VK_BACK, L"Backspace"},     {VK_TAB, L"Tab"},
    {0x0C, L"Num 5"},            {VK_RETURN, L"Enter"},
    {VK_SHIFT, L"Shift"},        {VK_CONTROL, L"Ctrl"},
    {VK_MENU, L"Alt"},           {VK_PAUSE, L"Pause"},
    {VK_CAPITAL, L"Caps Lock"},  {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"},        {VK_PRIOR, L"Page Up"},
    {VK_NEXT, L"Page Down"},     {VK_END, L"End"},
    {VK_HOME, L"Home"},          {VK_LEFT, L"Left"},
    {VK_UP, L"Up"},              {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},          {VK_SNAPSHOT, L"Print Screen"},
    {VK_INSERT, L"Insert"},      {VK_DELETE, L"Delete"},
    {VK_LWIN, L"Windows"},       {VK_RWIN, L"RWindows"},
    {VK_APPS, L"Application"},   {VK_MULTIPLY, L"Num *"},
    {VK_ADD, L"Num +"},          {0x6C, L"Num Enter"},
    {VK_SUBTRACT, L"Num -"},     {VK_DECIMAL, L"Num Del"},
    {VK_DIVIDE, L"Num /"},       {VK_NUMLOCK, L"Num Lock"},
    {VK_SCROLL, L"Scroll Lock"}, {VK_LSHIFT, L"Shift"},
    {VK_RSHIFT, L"RShift"},      {VK_LCONTROL, L"Ctrl"},
    {VK_RCONTROL, L"RCtrl"},     {VK_LMENU, L"Alt"},
    {VK_RMENU, L"RAlt"},
};

struct UsCharacter {
    uint32_t vk;
    wchar_t c;
};

const UsCharacter kUsCharacters[] = {
    {VK_OEM_1, L';'}, {VK_OEM_PLUS, L'='}, {VK_OEM_COMMA, L','}, {VK_OEM_MINUS, L'-'},
    {VK_OEM_PERIOD, L'.'}, {VK_OEM_2, L'/'}, {VK_OEM_3, L'`'}, {VK_OEM_4, L'['},
    {VK_OEM_5, L'\\'}, {VK_OEM_6, L']'}, {VK_OEM_7, L'\''}, {0xE2, L'\\'},
};

} // namespace

std::wstring KeyNameFor(uint32_t virtualKey, unsigned long layoutKeysym)
{
    for (const Named& n : kNamed)
        if (n.vk == virtualKey)
            return n.name;
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD0 + 9)
        return L"Num " + std::wstring(1, static_cast<wchar_t>(L'0' + (virtualKey - VK_NUMPAD0)));
    if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        return L"F" + std::to_wstring(virtualKey - VK_F1 + 1);

    // Upper case by the keysym tables, so the name does not depend on the process's locale.
    const char32_t typed =
        layoutKeysym ? xkb_keysym_to_utf32(xkb_keysym_to_upper(static_cast<xkb_keysym_t>(layoutKeysym))) : 0;
    if (typed > 0x20 && typed != 0x7F)
        return std::wstring(1, static_cast<wchar_t>(typed));
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(virtualKey));
    for (const UsCharacter& u : kUsCharacters)
        if (u.vk == virtualKey)
            return std::wstring(1, u.c);
    return {};
}

} // namespace Vinto

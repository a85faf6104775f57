#include "vinto/platform/X11KeyMap.h"

#include "vinto/platform/Messages.h"

#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

namespace Vinto {

namespace {
struct KeyPair {
    unsigned long keysym;
    uint32_t vk;
};
const KeyPair kKeys[] = {
    {XK_BackSpace, VK_BACK},       {XK_Tab, VK_TAB},           {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},        {XK_KP_Enter, VK_RETURN},   {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},          {XK_Prior, VK_PRIOR},       {XK_Next, VK_NEXT},
    {XK_End, VK_END},              {XK_Home, VK_HOME},         {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},                {XK_Right, VK_RIGHT},       {XK_Down, VK_DOWN},
    {XK_Print, VK_SNAPSHOT},       {XK_Insert, VK_INSERT},     {XK_Delete, VK_DELETE},
    {XK_Shift_L, VK_SHIFT},        {XK_Shift_R, VK_SHIFT},     {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},    {XK_Alt_L, VK_MENU},        {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},          {XK_ISO_Level3_Shift, VK_MENU}, {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},         {XK_Menu, VK_APPS},         {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},    {XK_Num_Lock, VK_NUMLOCK},  {XK_Scroll_Lock, VK_SCROLL},
    {XK_KP_Multiply, VK_MULTIPLY}, {XK_KP_Add, VK_ADD},        {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},   {XK_KP_Divide, VK_DIVIDE},  {XK_semicolon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},       {XK_comma, VK_OEM_COMMA},   {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},    {XK_slash, VK_OEM_2},       {XK_grave, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},    {XK_backslash, VK_OEM_5},   {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},     {XK_KP_Home, VK_HOME},      {XK_KP_End, VK_END},
    {XK_KP_Left, VK_LEFT},         {XK_KP_Right, VK_RIGHT},    {XK_KP_Up, VK_UP},
    {XK_KP_Down, VK_DOWN},         {XK_KP_Delete, VK_DELETE},  {XK_KP_Insert, VK_INSERT},
};
} // namespace

uint32_t VirtualKeyFromKeysym(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<uint32_t>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<uint32_t>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<uint32_t>('0' + (keysym - XK_0));
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return static_cast<uint32_t>(VK_F1 + (keysym - XK_F1));
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return static_cast<uint32_t>(VK_NUMPAD0 + (keysym - XK_KP_0));
    for (const KeyPair& k : kKeys)
        if (k.keysym == keysym)
            return k.vk;
    return 0;
}

char32_t TextFromKeysym(unsigned long keysym, bool control)
{
    const char32_t c = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    if (control) {
        if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'))
            return c & 0x1F;
        return 0;
    }
    // Keys that edit rather than type: Backspace, Tab, Enter and Escape keep their characters.
    if (c == 0x7F)
        return 0;
    return c;
}

} // namespace Vinto

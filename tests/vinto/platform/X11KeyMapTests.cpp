// Keysyms to virtual keys and typed characters.
#include "vinto/platform/Messages.h"
#include "vinto/platform/X11KeyMap.h"

#include <gtest/gtest.h>

#include <X11/keysym.h>

using namespace Vinto;

namespace {

TEST(X11KeyMap, KeysymsBecomeVirtualKeys)
{
    struct Case {
        unsigned long keysym;
        uint32_t vk;
    };
    const Case cases[] = {
        {XK_a, 'A'},         {XK_Z, 'Z'},           {XK_0, '0'},        {XK_9, '9'},
        {XK_F1, VK_F1},      {XK_F12, VK_F1 + 11},  {XK_KP_5, VK_NUMPAD0 + 5}, {XK_Return, VK_RETURN},
        {XK_Tab, VK_TAB},    {XK_ISO_Left_Tab, VK_TAB}, {XK_Shift_R, VK_SHIFT}, {XK_Control_L, VK_CONTROL},
        {XK_Alt_L, VK_MENU}, {XK_Left, VK_LEFT},    {XK_Delete, VK_DELETE}, {XK_comma, VK_OEM_COMMA},
        {XK_bracketright, VK_OEM_6}, {XK_dead_acute, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromKeysym(c.keysym), c.vk) << std::hex << c.keysym;
}

TEST(X11KeyMap, KeysymsTypeCharactersAndCtrlTypesControlCharacters)
{
    struct Case {
        unsigned long keysym;
        bool control;
        char32_t text;
    };
    const Case cases[] = {
        {XK_a, false, U'a'},   {XK_A, false, U'A'},      {XK_Cyrillic_ya, false, U'я'}, {XK_c, true, 0x03},
        {XK_1, true, 0},       {XK_Return, false, 0x0D}, {XK_BackSpace, false, 0x08},   {XK_Delete, false, 0},
        {XK_Left, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextFromKeysym(c.keysym, c.control), c.text) << std::hex << c.keysym;
}

} // namespace

#include "system/SysKeys.h"

#include <SDL.h>

namespace {

struct KeyRow {
  SDL_Keycode Sdl;
  std::uint32_t Vk;
};

// One table for both directions: events are translated forward, polled keys
// backward. Letters and digits follow the keycode, so the layout decides
// which key is 'A', as it does for virtual-key codes.
constexpr KeyRow KeyTable[] = {
    {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09}, {SDLK_CLEAR, 0x0C}, {SDLK_RETURN, 0x0D},
    {SDLK_LSHIFT, 0x10}, {SDLK_RSHIFT, 0x10}, {SDLK_LCTRL, 0x11}, {SDLK_RCTRL, 0x11},
    {SDLK_LALT, 0x12}, {SDLK_RALT, 0x12}, {SDLK_PAUSE, 0x13}, {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, 0x1B}, {SDLK_SPACE, 0x20}, {SDLK_PAGEUP, 0x21}, {SDLK_PAGEDOWN, 0x22},
    {SDLK_END, 0x23}, {SDLK_HOME, 0x24}, {SDLK_LEFT, 0x25}, {SDLK_UP, 0x26},
    {SDLK_RIGHT, 0x27}, {SDLK_DOWN, 0x28}, {SDLK_SELECT, 0x29}, {SDLK_EXECUTE, 0x2B},
    {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D}, {SDLK_DELETE, 0x2E}, {SDLK_HELP, 0x2F},
    {SDLK_0, 0x30}, {SDLK_1, 0x31}, {SDLK_2, 0x32}, {SDLK_3, 0x33}, {SDLK_4, 0x34},
    {SDLK_5, 0x35}, {SDLK_6, 0x36}, {SDLK_7, 0x37}, {SDLK_8, 0x38}, {SDLK_9, 0x39},
    {SDLK_a, 0x41}, {SDLK_b, 0x42}, {SDLK_c, 0x43}, {SDLK_d, 0x44}, {SDLK_e, 0x45},
    {SDLK_f, 0x46}, {SDLK_g, 0x47}, {SDLK_h, 0x48}, {SDLK_i, 0x49}, {SDLK_j, 0x4A},
    {SDLK_k, 0x4B}, {SDLK_l, 0x4C}, {SDLK_m, 0x4D}, {SDLK_n, 0x4E}, {SDLK_o, 0x4F},
    {SDLK_p, 0x50}, {SDLK_q, 0x51}, {SDLK_r, 0x52}, {SDLK_s, 0x53}, {SDLK_t, 0x54},
    {SDLK_u, 0x55}, {SDLK_v, 0x56}, {SDLK_w, 0x57}, {SDLK_x, 0x58}, {SDLK_y, 0x59},
    {SDLK_z, 0x5A}, {SDLK_LGUI, 0x5B}, {SDLK_RGUI, 0x5C}, {SDLK_APPLICATION, 0x5D},
    {SDLK_SLEEP, 0x5F},
    {SDLK_KP_0, 0x60}, {SDLK_KP_1, 0x61}, {SDLK_KP_2, 0x62}, {SDLK_KP_3, 0x63},
    {SDLK_KP_4, 0x64}, {SDLK_KP_5, 0x65}, {SDLK_KP_6, 0x66}, {SDLK_KP_7, 0x67},
    {SDLK_KP_8, 0x68}, {SDLK_KP_9, 0x69}, {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_ENTER, 0x0D}, {SDLK_KP_MINUS, 0x6D}, {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_F1, 0x70}, {SDLK_F2, 0x71}, {SDLK_F3, 0x72}, {SDLK_F4, 0x73}, {SDLK_F5, 0x74},
    {SDLK_F6, 0x75}, {SDLK_F7, 0x76}, {SDLK_F8, 0x77}, {SDLK_F9, 0x78}, {SDLK_F10, 0x79},
    {SDLK_F11, 0x7A}, {SDLK_F12, 0x7B}, {SDLK_F13, 0x7C}, {SDLK_F14, 0x7D}, {SDLK_F15, 0x7E},
    {SDLK_F16, 0x7F}, {SDLK_F17, 0x80}, {SDLK_F18, 0x81}, {SDLK_F19, 0x82}, {SDLK_F20, 0x83},
    {SDLK_F21, 0x84}, {SDLK_F22, 0x85}, {SDLK_F23, 0x86}, {SDLK_F24, 0x87},
    {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},
    {SDLK_SEMICOLON, 0xBA}, {SDLK_EQUALS, 0xBB}, {SDLK_PLUS, 0xBB}, {SDLK_COMMA, 0xBC},
    {SDLK_MINUS, 0xBD}, {SDLK_PERIOD, 0xBE}, {SDLK_SLASH, 0xBF}, {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE}, {SDLK_COLON, 0xBA}, {SDLK_AT, 0xC0}, {SDLK_CARET, 0xDE},
};

}  // namespace

std::uint32_t SysTranslateKey(std::int32_t sdlKeycode) {
  for (const KeyRow& row : KeyTable)
    if (row.Sdl == sdlKeycode) return row.Vk;
  return 0;
}

bool SysIsVirtualKeyDown(std::uint32_t virtualKey) {
  int count = 0;
  const Uint8* state = SDL_GetKeyboardState(&count);
  if (!state) return false;
  for (const KeyRow& row : KeyTable) {
    if (row.Vk != virtualKey) continue;
    const SDL_Scancode code = SDL_GetScancodeFromKey(row.Sdl);
    if (code > SDL_SCANCODE_UNKNOWN && code < count && state[code]) return true;
  }
  return false;
}

#include "system/SysKeys.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace {

// One row per physical key: SDL's position code, the virtual-key code the
// key gives on a US layout, and its PC scan code (set 1) with the extended
// bit that the keyboard sends for it. Scan 0: no name is offered for it.
struct KeyRow {
  SDL_Scancode Sdl;
  std::uint8_t Vk;
  std::uint8_t Scan;
  bool Extended;
};

constexpr KeyRow KeyTable[] = {
    {SDL_SCANCODE_ESCAPE, 0x1B, 0x01, false},
    {SDL_SCANCODE_1, '1', 0x02, false}, {SDL_SCANCODE_2, '2', 0x03, false},
    {SDL_SCANCODE_3, '3', 0x04, false}, {SDL_SCANCODE_4, '4', 0x05, false},
    {SDL_SCANCODE_5, '5', 0x06, false}, {SDL_SCANCODE_6, '6', 0x07, false},
    {SDL_SCANCODE_7, '7', 0x08, false}, {SDL_SCANCODE_8, '8', 0x09, false},
    {SDL_SCANCODE_9, '9', 0x0A, false}, {SDL_SCANCODE_0, '0', 0x0B, false},
    {SDL_SCANCODE_MINUS, 0xBD, 0x0C, false}, {SDL_SCANCODE_EQUALS, 0xBB, 0x0D, false},
    {SDL_SCANCODE_BACKSPACE, 0x08, 0x0E, false}, {SDL_SCANCODE_TAB, 0x09, 0x0F, false},
    {SDL_SCANCODE_Q, 'Q', 0x10, false}, {SDL_SCANCODE_W, 'W', 0x11, false},
    {SDL_SCANCODE_E, 'E', 0x12, false}, {SDL_SCANCODE_R, 'R', 0x13, false},
    {SDL_SCANCODE_T, 'T', 0x14, false}, {SDL_SCANCODE_Y, 'Y', 0x15, false},
    {SDL_SCANCODE_U, 'U', 0x16, false}, {SDL_SCANCODE_I, 'I', 0x17, false},
    {SDL_SCANCODE_O, 'O', 0x18, false}, {SDL_SCANCODE_P, 'P', 0x19, false},
    {SDL_SCANCODE_LEFTBRACKET, 0xDB, 0x1A, false}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD, 0x1B, false},
    {SDL_SCANCODE_RETURN, 0x0D, 0x1C, false}, {SDL_SCANCODE_LCTRL, 0x11, 0x1D, false},
    {SDL_SCANCODE_A, 'A', 0x1E, false}, {SDL_SCANCODE_S, 'S', 0x1F, false},
    {SDL_SCANCODE_D, 'D', 0x20, false}, {SDL_SCANCODE_F, 'F', 0x21, false},
    {SDL_SCANCODE_G, 'G', 0x22, false}, {SDL_SCANCODE_H, 'H', 0x23, false},
    {SDL_SCANCODE_J, 'J', 0x24, false}, {SDL_SCANCODE_K, 'K', 0x25, false},
    {SDL_SCANCODE_L, 'L', 0x26, false}, {SDL_SCANCODE_SEMICOLON, 0xBA, 0x27, false},
    {SDL_SCANCODE_APOSTROPHE, 0xDE, 0x28, false}, {SDL_SCANCODE_GRAVE, 0xC0, 0x29, false},
    {SDL_SCANCODE_LSHIFT, 0x10, 0x2A, false}, {SDL_SCANCODE_BACKSLASH, 0xDC, 0x2B, false},
    {SDL_SCANCODE_Z, 'Z', 0x2C, false}, {SDL_SCANCODE_X, 'X', 0x2D, false},
    {SDL_SCANCODE_C, 'C', 0x2E, false}, {SDL_SCANCODE_V, 'V', 0x2F, false},
    {SDL_SCANCODE_B, 'B', 0x30, false}, {SDL_SCANCODE_N, 'N', 0x31, false},
    {SDL_SCANCODE_M, 'M', 0x32, false}, {SDL_SCANCODE_COMMA, 0xBC, 0x33, false},
    {SDL_SCANCODE_PERIOD, 0xBE, 0x34, false}, {SDL_SCANCODE_SLASH, 0xBF, 0x35, false},
    {SDL_SCANCODE_RSHIFT, 0x10, 0x36, false}, {SDL_SCANCODE_KP_MULTIPLY, 0x6A, 0x37, false},
    {SDL_SCANCODE_LALT, 0x12, 0x38, false}, {SDL_SCANCODE_SPACE, 0x20, 0x39, false},
    {SDL_SCANCODE_CAPSLOCK, 0x14, 0x3A, false},
    {SDL_SCANCODE_F1, 0x70, 0x3B, false}, {SDL_SCANCODE_F2, 0x71, 0x3C, false},
    {SDL_SCANCODE_F3, 0x72, 0x3D, false}, {SDL_SCANCODE_F4, 0x73, 0x3E, false},
    {SDL_SCANCODE_F5, 0x74, 0x3F, false}, {SDL_SCANCODE_F6, 0x75, 0x40, false},
    {SDL_SCANCODE_F7, 0x76, 0x41, false}, {SDL_SCANCODE_F8, 0x77, 0x42, false},
    {SDL_SCANCODE_F9, 0x78, 0x43, false}, {SDL_SCANCODE_F10, 0x79, 0x44, false},
    // Num Lock and Pause share scan 0x45; only the extended bit tells them apart.
    {SDL_SCANCODE_NUMLOCKCLEAR, 0x90, 0x45, true}, {SDL_SCANCODE_PAUSE, 0x13, 0x45, false},
    {SDL_SCANCODE_SCROLLLOCK, 0x91, 0x46, false},
    {SDL_SCANCODE_KP_7, 0x67, 0x47, false}, {SDL_SCANCODE_KP_8, 0x68, 0x48, false},
    {SDL_SCANCODE_KP_9, 0x69, 0x49, false}, {SDL_SCANCODE_KP_MINUS, 0x6D, 0x4A, false},
    {SDL_SCANCODE_KP_4, 0x64, 0x4B, false}, {SDL_SCANCODE_KP_5, 0x65, 0x4C, false},
    {SDL_SCANCODE_KP_6, 0x66, 0x4D, false}, {SDL_SCANCODE_KP_PLUS, 0x6B, 0x4E, false},
    {SDL_SCANCODE_KP_1, 0x61, 0x4F, false}, {SDL_SCANCODE_KP_2, 0x62, 0x50, false},
    {SDL_SCANCODE_KP_3, 0x63, 0x51, false}, {SDL_SCANCODE_KP_0, 0x60, 0x52, false},
    {SDL_SCANCODE_KP_PERIOD, 0x6E, 0x53, false}, {SDL_SCANCODE_PRINTSCREEN, 0x2C, 0x54, false},
    {SDL_SCANCODE_NONUSBACKSLASH, 0xE2, 0x56, false},
    {SDL_SCANCODE_F11, 0x7A, 0x57, false}, {SDL_SCANCODE_F12, 0x7B, 0x58, false},
    {SDL_SCANCODE_KP_EQUALS, 0x92, 0x59, false},
    {SDL_SCANCODE_F13, 0x7C, 0x64, false}, {SDL_SCANCODE_F14, 0x7D, 0x65, false},
    {SDL_SCANCODE_F15, 0x7E, 0x66, false}, {SDL_SCANCODE_F16, 0x7F, 0x67, false},
    {SDL_SCANCODE_F17, 0x80, 0x68, false}, {SDL_SCANCODE_F18, 0x81, 0x69, false},
    {SDL_SCANCODE_F19, 0x82, 0x6A, false}, {SDL_SCANCODE_F20, 0x83, 0x6B, false},
    {SDL_SCANCODE_F21, 0x84, 0x6C, false}, {SDL_SCANCODE_F22, 0x85, 0x6D, false},
    {SDL_SCANCODE_F23, 0x86, 0x6E, false}, {SDL_SCANCODE_F24, 0x87, 0x76, false},
    // Japanese keyboards.
    {SDL_SCANCODE_INTERNATIONAL2, 0x15, 0x70, false},  // kana
    {SDL_SCANCODE_INTERNATIONAL1, 0xE2, 0x73, false},  // ro
    {SDL_SCANCODE_INTERNATIONAL4, 0x1C, 0x79, false},  // henkan
    {SDL_SCANCODE_INTERNATIONAL5, 0x1D, 0x7B, false},  // muhenkan
    {SDL_SCANCODE_INTERNATIONAL3, 0xDC, 0x7D, false},  // yen
    // The cursor block shares its scan codes with the numeric pad; the
    // keyboard marks it as extended.
    {SDL_SCANCODE_KP_ENTER, 0x0D, 0x1C, true}, {SDL_SCANCODE_RCTRL, 0x11, 0x1D, true},
    {SDL_SCANCODE_KP_DIVIDE, 0x6F, 0x35, true}, {SDL_SCANCODE_RALT, 0x12, 0x38, true},
    {SDL_SCANCODE_HOME, 0x24, 0x47, true}, {SDL_SCANCODE_UP, 0x26, 0x48, true},
    {SDL_SCANCODE_PAGEUP, 0x21, 0x49, true}, {SDL_SCANCODE_LEFT, 0x25, 0x4B, true},
    {SDL_SCANCODE_RIGHT, 0x27, 0x4D, true}, {SDL_SCANCODE_END, 0x23, 0x4F, true},
    {SDL_SCANCODE_DOWN, 0x28, 0x50, true}, {SDL_SCANCODE_PAGEDOWN, 0x22, 0x51, true},
    {SDL_SCANCODE_INSERT, 0x2D, 0x52, true}, {SDL_SCANCODE_DELETE, 0x2E, 0x53, true},
    {SDL_SCANCODE_LGUI, 0x5B, 0x5B, true}, {SDL_SCANCODE_RGUI, 0x5C, 0x5C, true},
    {SDL_SCANCODE_APPLICATION, 0x5D, 0x5D, true},
    // Keys without a name of their own here (their scan codes would name others).
    {SDL_SCANCODE_CLEAR, 0x0C, 0, false}, {SDL_SCANCODE_SELECT, 0x29, 0, false},
    {SDL_SCANCODE_EXECUTE, 0x2B, 0, false}, {SDL_SCANCODE_HELP, 0x2F, 0, false},
    {SDL_SCANCODE_SLEEP, 0x5F, 0, false},
    {SDL_SCANCODE_AC_BACK, 0xA6, 0, false}, {SDL_SCANCODE_AC_FORWARD, 0xA7, 0, false},
    {SDL_SCANCODE_AC_REFRESH, 0xA8, 0, false}, {SDL_SCANCODE_AC_STOP, 0xA9, 0, false},
    {SDL_SCANCODE_AC_SEARCH, 0xAA, 0, false}, {SDL_SCANCODE_AC_BOOKMARKS, 0xAB, 0, false},
    {SDL_SCANCODE_AC_HOME, 0xAC, 0, false}, {SDL_SCANCODE_AUDIOMUTE, 0xAD, 0, false},
    {SDL_SCANCODE_MUTE, 0xAD, 0, false}, {SDL_SCANCODE_VOLUMEDOWN, 0xAE, 0, false},
    {SDL_SCANCODE_VOLUMEUP, 0xAF, 0, false}, {SDL_SCANCODE_AUDIONEXT, 0xB0, 0, false},
    {SDL_SCANCODE_AUDIOPREV, 0xB1, 0, false}, {SDL_SCANCODE_AUDIOSTOP, 0xB2, 0, false},
    {SDL_SCANCODE_AUDIOPLAY, 0xB3, 0, false}, {SDL_SCANCODE_MAIL, 0xB4, 0, false},
    {SDL_SCANCODE_MEDIASELECT, 0xB5, 0, false}, {SDL_SCANCODE_APP1, 0xB6, 0, false},
    {SDL_SCANCODE_APP2, 0xB7, 0, false},
};

// Character keys follow the layout: the character decides the code, as the
// layout's virtual-key codes do on Windows. Letters and digits are computed.
struct CharRow {
  SDL_Keycode Sdl;
  std::uint8_t Vk;
};

constexpr CharRow CharTable[] = {
    {SDLK_RETURN, 0x0D}, {SDLK_BACKSPACE, 0x08}, {SDLK_TAB, 0x09}, {SDLK_SPACE, 0x20},
    {SDLK_ESCAPE, 0x1B}, {SDLK_DELETE, 0x2E},
    {SDLK_SEMICOLON, 0xBA}, {SDLK_COLON, 0xBA}, {SDLK_EQUALS, 0xBB}, {SDLK_PLUS, 0xBB},
    {SDLK_COMMA, 0xBC}, {SDLK_MINUS, 0xBD}, {SDLK_PERIOD, 0xBE}, {SDLK_SLASH, 0xBF},
    {SDLK_BACKQUOTE, 0xC0}, {SDLK_AT, 0xC0}, {SDLK_LEFTBRACKET, 0xDB},
    {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE}, {SDLK_CARET, 0xDE},
};

SysKeyboardStateSource KeyboardStateSource = nullptr;

const KeyRow* RowOfScancode(int scancode) {
  for (const KeyRow& row : KeyTable)
    if (row.Sdl == scancode) return &row;
  return nullptr;
}

const KeyRow* RowOfVk(std::uint32_t vk) {
  for (const KeyRow& row : KeyTable)
    if (row.Vk == vk) return &row;
  return nullptr;
}

std::uint32_t CharacterVk(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return static_cast<std::uint32_t>(key - SDLK_a + 'A');
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<std::uint32_t>(key);
  for (const CharRow& row : CharTable)
    if (row.Sdl == key) return row.Vk;
  return 0;
}

// The keycode that gives this virtual-key code on the current layout, 0
// when the code is not one of a character key.
SDL_Keycode CharacterKeyOfVk(std::uint32_t vk) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<SDL_Keycode>(vk - 'A' + SDLK_a);
  if (vk >= '0' && vk <= '9') return static_cast<SDL_Keycode>(vk);
  for (const CharRow& row : CharTable)
    if (row.Vk == vk && row.Vk > 0x2E) return row.Sdl;
  return 0;
}

// Where the key with this code sits: on the layout for character keys,
// else by the table.
SDL_Scancode ScancodeOfVk(std::uint32_t vk) {
  if (vk >= 256) return SDL_SCANCODE_UNKNOWN;
  if (const SDL_Keycode key = CharacterKeyOfVk(vk)) {
    const SDL_Scancode code = SDL_GetScancodeFromKey(key);
    if (code != SDL_SCANCODE_UNKNOWN) return code;
  }
  const KeyRow* row = RowOfVk(vk);
  return row ? row->Sdl : SDL_SCANCODE_UNKNOWN;
}

}  // namespace

std::uint32_t SysTranslateKey(std::int32_t sdlKeycode, std::int32_t sdlScancode) {
  if (sdlKeycode & SDLK_SCANCODE_MASK) {
    if (const KeyRow* row = RowOfScancode(sdlKeycode & ~SDLK_SCANCODE_MASK)) return row->Vk;
  } else if (const std::uint32_t vk = CharacterVk(sdlKeycode)) {
    return vk;
  }
  const KeyRow* row = RowOfScancode(sdlScancode);
  return row ? row->Vk : 0;
}

bool SysIsVirtualKeyDown(std::uint32_t virtualKey) {
  if (virtualKey >= 256) return false;
  int count = 0;
  const std::uint8_t* state =
      KeyboardStateSource ? KeyboardStateSource(&count) : SDL_GetKeyboardState(&count);
  if (!state) return false;
  // Any key down whose messages would carry this code: a character key
  // wherever the layout puts it, and both Shift or both Enter keys.
  for (int code = SDL_SCANCODE_UNKNOWN + 1; code < count && code < SDL_NUM_SCANCODES; ++code) {
    if (!state[code]) continue;
    const auto scancode = static_cast<SDL_Scancode>(code);
    SDL_Keycode key = SDL_GetKeyFromScancode(scancode);
    if (key == SDLK_UNKNOWN) key = SDL_SCANCODE_TO_KEYCODE(scancode);
    if (SysTranslateKey(key, code) == virtualKey) return true;
  }
  return false;
}

std::uint32_t SysMapVirtualKey(std::uint32_t virtualKey) {
  const KeyRow* row = RowOfScancode(ScancodeOfVk(virtualKey));
  return row ? row->Scan : 0;
}

int SysGetKeyNameText(std::int32_t keyParam, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  const std::uint32_t scan = (static_cast<std::uint32_t>(keyParam) >> 16) & 0xFF;
  const bool extended = ((static_cast<std::uint32_t>(keyParam) >> 24) & 1) != 0;
  if (scan == 0) return 0;
  // The exact key first; a code that only one key uses names that key.
  const KeyRow* found = nullptr;
  for (const KeyRow& row : KeyTable) {
    if (row.Scan != scan) continue;
    if (row.Extended == extended) {
      found = &row;
      break;
    }
    if (!found) found = &row;
  }
  if (!found) return 0;
  // The layout names the key: the same position reads 'A' on one keyboard
  // and 'Q' on another.
  const SDL_Keycode key = SDL_GetKeyFromScancode(found->Sdl);
  const char* name = key != SDLK_UNKNOWN ? SDL_GetKeyName(key) : SDL_GetScancodeName(found->Sdl);
  if (!name || !*name) return 0;
  const std::size_t length = std::min(std::strlen(name), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, name, length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

void SysSetKeyboardStateSource(SysKeyboardStateSource source) { KeyboardStateSource = source; }

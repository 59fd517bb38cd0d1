// Keys in virtual-key codes and scan codes, translated from SDL.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstring>

#include "system/SysKeys.h"

namespace {

std::uint8_t FakeKeys[SDL_NUM_SCANCODES];
const std::uint8_t* FakeKeyboard(int* count) {
  *count = SDL_NUM_SCANCODES;
  return FakeKeys;
}

class KeyboardState : public ::testing::Test {
protected:
  void SetUp() override {
    std::memset(FakeKeys, 0, sizeof FakeKeys);
    SysSetKeyboardStateSource(&FakeKeyboard);
  }
  void TearDown() override { SysSetKeyboardStateSource(nullptr); }
};

std::uint32_t TranslatePosition(SDL_Scancode code) {
  return SysTranslateKey(SDL_SCANCODE_TO_KEYCODE(code), code);
}

TEST(KeyTranslation, KeysBecomeTheirVirtualKeyCodes) {
  struct Case {
    SDL_Keycode Key;
    SDL_Scancode Code;
    std::uint32_t Vk;
  };
  const Case cases[] = {
      {SDLK_a, SDL_SCANCODE_A, 'A'},          {SDLK_z, SDL_SCANCODE_Z, 'Z'},
      {SDLK_1, SDL_SCANCODE_1, '1'},          {SDLK_RETURN, SDL_SCANCODE_RETURN, 0x0D},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0x0D}, {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0x1B},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, 0x20}, {SDLK_DELETE, SDL_SCANCODE_DELETE, 0x2E},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 0x10}, {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 0x10},
      {SDLK_RCTRL, SDL_SCANCODE_RCTRL, 0x11}, {SDLK_LALT, SDL_SCANCODE_LALT, 0x12},
      {SDLK_KP_8, SDL_SCANCODE_KP_8, 0x68},   {SDLK_KP_DIVIDE, SDL_SCANCODE_KP_DIVIDE, 0x6F},
      {SDLK_F1, SDL_SCANCODE_F1, 0x70},       {SDLK_F10, SDL_SCANCODE_F10, 0x79},
      {SDLK_F12, SDL_SCANCODE_F12, 0x7B},     {SDLK_F24, SDL_SCANCODE_F24, 0x87},
      {SDLK_SLASH, SDL_SCANCODE_SLASH, 0xBF}, {SDLK_PAUSE, SDL_SCANCODE_PAUSE, 0x13},
      // A layout that moves letters: the character decides, as on Windows.
      {SDLK_a, SDL_SCANCODE_Q, 'A'},
      // A character no code covers (Cyrillic ef): the key's position decides.
      {0x0444, SDL_SCANCODE_A, 'A'},
      {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SysTranslateKey(c.Key, c.Code), c.Vk) << "keycode " << c.Key;
}

// The keys that the key names single out: the cursor block, Insert and
// Delete, numeric-pad Divide and Num Lock.
struct ExtendedKey {
  SDL_Scancode Code;
  std::uint32_t Vk;
  std::uint32_t Scan;
};
constexpr ExtendedKey ExtendedKeys[] = {
    {SDL_SCANCODE_PAGEUP, 33, 0x49}, {SDL_SCANCODE_PAGEDOWN, 34, 0x51},
    {SDL_SCANCODE_END, 35, 0x4F},    {SDL_SCANCODE_HOME, 36, 0x47},
    {SDL_SCANCODE_LEFT, 37, 0x4B},   {SDL_SCANCODE_UP, 38, 0x48},
    {SDL_SCANCODE_RIGHT, 39, 0x4D},  {SDL_SCANCODE_DOWN, 40, 0x50},
    {SDL_SCANCODE_INSERT, 45, 0x52}, {SDL_SCANCODE_DELETE, 46, 0x53},
    {SDL_SCANCODE_KP_DIVIDE, 111, 0x35}, {SDL_SCANCODE_NUMLOCKCLEAR, 144, 0x45},
};

TEST(KeyTranslation, EveryNamedKeyHasARowAndItsScanCode) {
  for (const ExtendedKey& key : ExtendedKeys) {
    EXPECT_EQ(TranslatePosition(key.Code), key.Vk) << key.Vk;
    // Map type 0 gives the scan code without the extended bit.
    EXPECT_EQ(SysMapVirtualKey(key.Vk), key.Scan) << key.Vk;
  }
  EXPECT_EQ(SysMapVirtualKey('A'), 0x1Eu);
  EXPECT_EQ(SysMapVirtualKey(0x0D), 0x1Cu);  // the main Enter key
  EXPECT_EQ(SysMapVirtualKey(0x07), 0u);     // no key
  EXPECT_EQ(SysMapVirtualKey(0x126), 0u);    // not a code
}

TEST(KeyNameText, TheExtendedBitChoosesBetweenTwinKeys) {
  char name[64];
  struct Case {
    std::uint32_t Param;
    const char* Name;
  };
  const Case cases[] = {
      {0x00480000, "Keypad 8"}, {0x01480000, "Up"},
      {0x00350000, "/"},        {0x01350000, "Keypad /"},
      {0x00450000, "Pause"},    {0x01450000, "Numlock"},
      {0x00520000, "Keypad 0"}, {0x01520000, "Insert"},
      {0x001E0000, "A"},
      // Only the extended key has this code: it is named all the same.
      {0x005B0000, "Left GUI"},
  };
  for (const Case& c : cases) {
    const int n = SysGetKeyNameText(static_cast<std::int32_t>(c.Param), name, sizeof name);
    EXPECT_STREQ(name, c.Name) << std::hex << c.Param;
    EXPECT_EQ(n, static_cast<int>(std::strlen(c.Name)));
  }
}

TEST(KeyNameText, NamesAreCutToTheBufferAndUnknownCodesFail) {
  char name[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(SysGetKeyNameText(0x01350000, name, sizeof name), 3);
  EXPECT_STREQ(name, "Key");
  EXPECT_EQ(SysGetKeyNameText(0x007F0000, name, sizeof name), 0);  // no such key
  EXPECT_EQ(SysGetKeyNameText(0, name, sizeof name), 0);
  EXPECT_EQ(SysGetKeyNameText(0x00480000, name, 0), 0);
  EXPECT_EQ(SysGetKeyNameText(0x00480000, nullptr, 4), 0);
}

TEST_F(KeyboardState, FunctionKeysArePolledByPosition) {
  FakeKeys[SDL_SCANCODE_F4] = 1;
  FakeKeys[SDL_SCANCODE_F10] = 1;
  for (std::uint32_t vk = 0x70; vk <= 0x7B; ++vk)
    EXPECT_EQ(SysIsVirtualKeyDown(vk), vk == 0x73 || vk == 0x79) << vk;
  EXPECT_FALSE(SysIsVirtualKeyDown(0x173));
}

TEST_F(KeyboardState, EveryTranslatedKeyPollsAsItsCode) {
  // Whatever code a key gives in its messages, polling that code finds it.
  for (int code = 1; code < SDL_NUM_SCANCODES; ++code) {
    const auto scancode = static_cast<SDL_Scancode>(code);
    const std::uint32_t vk = TranslatePosition(scancode);
    if (vk == 0) continue;
    FakeKeys[code] = 1;
    EXPECT_TRUE(SysIsVirtualKeyDown(vk)) << "scancode " << code;
    FakeKeys[code] = 0;
    EXPECT_FALSE(SysIsVirtualKeyDown(vk)) << "scancode " << code;
  }
}

}  // namespace

// Key names on the keyboard binding screen.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "screens/KeyNames.h"
#include "system/SysPlatform.h"

namespace {

std::string NameOf(std::uint32_t code, int* length = nullptr) {
  char buffer[KeyDisplayNameSize];
  std::memset(buffer, '#', sizeof buffer);
  const int n = GetKeyDisplayName(code, buffer);
  if (length) *length = n;
  return n > 0 ? std::string(buffer) : std::string();
}

TEST(KeyDisplayName, ExtendedKeysAreNamedAsTheCursorBlockNotTheNumericPad) {
  struct Case {
    std::uint32_t Code;
    const char* Name;
  };
  const Case cases[] = {
      {33, "PAGEUP"}, {34, "PAGEDOWN"}, {35, "END"},    {36, "HOME"},
      {37, "LEFT"},   {38, "UP"},       {39, "RIGHT"},  {40, "DOWN"},
      {45, "INSERT"}, {46, "DELETE"},   {111, "KEYPAD /"}, {144, "NUMLOCK"},
  };
  for (const Case& c : cases) {
    int length = 0;
    EXPECT_EQ(NameOf(c.Code, &length), c.Name) << c.Code;
    EXPECT_EQ(length, static_cast<int>(std::strlen(c.Name))) << c.Code;
  }
}

TEST(KeyDisplayName, NoOtherCodeGetsTheExtendedBit) {
  // The twins of the keys above keep their own names.
  EXPECT_EQ(NameOf(0x68), "KEYPAD 8");
  EXPECT_EQ(NameOf(0x60), "KEYPAD 0");
  EXPECT_EQ(NameOf(0x6E), "KEYPAD .");
  EXPECT_EQ(NameOf(0xBF), "/");
  EXPECT_EQ(NameOf(0x13), "PAUSE");
  // Right Ctrl shares the left key's scan code and is named by it.
  EXPECT_EQ(NameOf(0x11), "LEFT CTRL");
}

TEST(KeyDisplayName, LettersDigitsAndFunctionKeysInCapitals) {
  for (char c = 'A'; c <= 'Z'; ++c) EXPECT_EQ(NameOf(static_cast<std::uint32_t>(c)), std::string(1, c));
  for (char c = '0'; c <= '9'; ++c) EXPECT_EQ(NameOf(static_cast<std::uint32_t>(c)), std::string(1, c));
  EXPECT_EQ(NameOf(0x70), "F1");
  EXPECT_EQ(NameOf(0x7B), "F12");
  EXPECT_EQ(NameOf(0x1B), "ESCAPE");
  EXPECT_EQ(NameOf(0x20), "SPACE");
}

TEST(KeyDisplayName, ACodeWithoutAKeyLeavesTheBufferUntouched) {
  for (std::uint32_t code : {0u, 1u, 7u, 0xFFu, 256u, 0x126u, 0xFFFFFFFFu}) {
    char buffer[KeyDisplayNameSize];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(GetKeyDisplayName(code, buffer), 0) << code;
    for (char c : buffer) ASSERT_EQ(c, '#') << code;
  }
}

}  // namespace

namespace {

// With the video started the names come from the keyboard layout; the
// default layout names the keys as above.
TEST(KeyDisplayName, TheLayoutNamesTheSameKeys) {
  ASSERT_TRUE(SysInitVideo());
  EXPECT_EQ(NameOf(38), "UP");
  EXPECT_EQ(NameOf(46), "DELETE");
  EXPECT_EQ(NameOf(111), "KEYPAD /");
  EXPECT_EQ(NameOf(0x68), "KEYPAD 8");
  EXPECT_EQ(NameOf('Q'), "Q");
  EXPECT_EQ(NameOf('7'), "7");
  EXPECT_EQ(NameOf(0x0D), "RETURN");
  EXPECT_EQ(NameOf(0xBA), ";");
}

}  // namespace

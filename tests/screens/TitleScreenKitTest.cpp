// Texts formatted into the title screens' fixed buffers.
#include <gtest/gtest.h>

#include <string>

#include "screens/TitleScreenKit.h"

namespace {

TEST(FormatTextCut, ANarrowBufferCutsAfterTheLastWholeCharacter) {
  // "\x82\xa0" and "\x82\xa2" are two double-byte characters.
  const struct {
    std::size_t Capacity;
    const char* Expected;
  } cases[] = {
      {16, "ab \x82\xa0\x82\xa2 cd"},  // fits
      {7, "ab \x82\xa0"},              // 6 bytes would split the second character
      {6, "ab \x82\xa0"},
      {5, "ab "},
      {1, ""},
  };
  for (const auto& c : cases) {
    char out[16];
    const std::size_t kept = FormatTextCut(out, c.Capacity, "%s %s", "ab", "\x82\xa0\x82\xa2 cd");
    EXPECT_STREQ(out, c.Expected) << c.Capacity;
    EXPECT_EQ(kept, std::string(c.Expected).size()) << c.Capacity;
  }
}

}  // namespace

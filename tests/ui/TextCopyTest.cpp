#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/TextCopy.h"

namespace {

TEST(TextCopy, CutsAtTheLastWholeCharacterThatFits) {
  struct Case {
    std::size_t Capacity;
    const char* Text;
    std::size_t Count;
    std::string Copied;
  };
  const std::size_t All = static_cast<std::size_t>(-1);
  const Case cases[] = {
      {8, "ABC", All, "ABC"},
      {4, "ABCDE", All, "ABC"},
      {4, "AB\x82\xa0", All, "AB"},          // the double-byte character would need 5 bytes
      {5, "AB\x82\xa0", All, "AB\x82\xa0"},
      {5, "A\x83\x41" "B", All, "A\x83\x41" "B"},
      {8, "A\x83", All, "A\x83"},             // a lead byte at the end stands alone
      {8, "ABCDEF", 3, "ABC"},
      {8, "AB\x82\xa0" "C", 3, "AB"},         // the count ends inside a character
      {1, "ABC", All, ""},
      {8, nullptr, All, ""},
  };
  for (const Case& c : cases) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    const std::size_t n = CopyTextCutN(buffer, c.Capacity, c.Text, c.Count);
    EXPECT_EQ(std::string(buffer), c.Copied) << c.Capacity << " / " << c.Count;
    EXPECT_EQ(n, c.Copied.size());
    EXPECT_EQ(buffer[c.Capacity], 'x') << "nothing is written past the capacity";
  }
  char none[1] = {'x'};
  EXPECT_EQ(CopyTextCut(none, 0, "A"), 0u);
  EXPECT_EQ(none[0], 'x');
}

}  // namespace

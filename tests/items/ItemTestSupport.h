#pragma once
// Items made and thrown away in tests, bytes in memory standing in for the
// save file, the language and the identify table put back after each test.
#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "items/CItem.h"
#include "items/IdentifyTable.h"
#include "items/ItemFactory.h"
#include "platform/CSaveFile.h"

namespace itemtest {

using ItemPtr = std::unique_ptr<CItem>;

inline ItemPtr Make(ItemId id) { return ItemPtr(CreateItem(id)); }

// A piece of equipment at a refinement with stones in its first enchant
// entries; a slot count, when given, replaces the kind's (as fusing more
// stones than a kind takes, or a damaged record, might leave it).
struct Fused {
  ItemId Id;
  int Refinement = 0;
  std::vector<ItemId> Stones = {};
  int Slots = -1;
};

inline ItemPtr Make(const Fused& f) {
  ItemPtr item = Make(f.Id);
  if (!item) return item;
  item->SetRefinement(f.Refinement);
  if (f.Slots >= 0) item->EnchantSlotCount = f.Slots;
  for (std::size_t i = 0; i < f.Stones.size() && i < EnchantListSize; ++i) item->Enchantments[i] = f.Stones[i];
  return item;
}

inline std::string Describe(const Fused& f) {
  std::ostringstream out;
  out << std::hex << "id 0x" << f.Id << std::dec << " refinement " << f.Refinement << " stones";
  for (ItemId stone : f.Stones) out << std::hex << " 0x" << stone;
  if (f.Slots >= 0) out << std::dec << " in " << f.Slots << " slots";
  return out.str();
}

// One getter of one fused piece, checked against what it should answer.
using Getter = std::function<int(const CItem&)>;
struct GetterCase {
  const char* What;
  Fused Item;
  Getter Get;
  int Expected;
};

template <std::size_t N>
void CheckGetters(const GetterCase (&cases)[N]) {
  for (const GetterCase& c : cases) {
    SCOPED_TRACE(std::string(c.What) + ", " + Describe(c.Item));
    ItemPtr item = Make(c.Item);
    ASSERT_TRUE(item);
    EXPECT_EQ(c.Get(*item), c.Expected);
  }
}

// Every id the factory makes, in id order (all of them lie below 0x1000).
inline std::vector<ItemId> AllItemIds() {
  std::vector<ItemId> ids;
  for (ItemId id = 0; id < 0x1000; ++id)
    if (ItemPtr item = Make(id)) ids.push_back(id);
  return ids;
}

// A save file in memory: what is written can be read back, reads stop at
// the end, and writes can be made to fail.
class MemoryFile : public CSaveFile {
public:
  bool Read(void* buffer, std::uint32_t count, std::uint32_t* done) override {
    const std::size_t left = Bytes.size() - Position;
    const std::size_t n = std::min<std::size_t>(count, left);
    if (n > 0) std::memcpy(buffer, Bytes.data() + Position, n);
    Position += n;
    if (done) *done = static_cast<std::uint32_t>(n);
    return n == count;
  }
  bool Write(const void* buffer, std::uint32_t count, std::uint32_t* done) override {
    if (FailWrites) {
      if (done) *done = 0;
      return false;
    }
    const auto* p = static_cast<const unsigned char*>(buffer);
    Bytes.insert(Bytes.end(), p, p + count);
    if (done) *done = count;
    return true;
  }

  std::vector<unsigned char> Bytes;
  std::size_t Position = 0;
  bool FailWrites = false;
};

inline std::string ToUtf8(const char* sjis) {
  iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no converter>";
  std::string in(sjis), out(in.size() * 4 + 16, '\0');
  char* src = in.data();
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  const std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (r == static_cast<std::size_t>(-1)) return "<not convertible>";
  return std::string(out.data(), out.size() - dstLeft);
}

// English, every kind identified; whatever a test changes is put back.
class ItemFixture : public ::testing::Test {
protected:
  ItemFixture() : SavedLanguage(GetGameMain()->Settings.Block.Language) {
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
    SetLanguage(0);
  }
  ~ItemFixture() override {
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
    GetGameMain()->Settings.Block.Language = SavedLanguage;
  }
  static void SetLanguage(std::uint32_t language) { GetGameMain()->Settings.Block.Language = language; }

private:
  std::uint32_t SavedLanguage;
};

}  // namespace itemtest

#include <gtest/gtest.h>

#include "items/CItemEvent.h"
#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

class EventItems : public ItemFixture {};

// The goal check asks the id of the item on the player's cell: a prize ends
// the run with its message, the princess with the second clear screen, and
// anything else is picked up as usual.
TEST_F(EventItems, AnswerAsTheGoalCheckAsks) {
  struct Case {
    ItemId Id;
    GoalKind Kind;
    const char* Message;
    const char* Name;
  };
  const Case cases[] = {
      {0xD00, GoalKind::Prize, "YOU GOT GREEN CRYSTAL!", "GREEN CRYSTAL"},
      {0xD01, GoalKind::Prize, "YOU GOT BLUE CRYSTAL!", "BLUE CRYSTAL"},
      {0xD02, GoalKind::Prize, "YOU GOT YELLOW CRYSTAL!", "YELLOW CRYSTAL"},
      {0xD03, GoalKind::Prize, "YOU GOT RED CRYSTAL!", "RED CRYSTAL"},
      {0xD04, GoalKind::Prize, "YOU GOT PURPLE CRYSTAL!", "PURPLE CRYSTAL"},
      {0xD05, GoalKind::Prize, "YOU GOT SILVER CRYSTAL!", "SILVER CRYSTAL"},
      {0xD06, GoalKind::None, nullptr, "SILVER CRYSTAL"},
      {0xD07, GoalKind::Prize, "YOU GOT CRYSTAL ORB!", "CRYSTAL ORB"},
      {0xD08, GoalKind::Prize, "YOU GOT SUSHI!", "CRYSTAL ORB"},
      {0xD09, GoalKind::Princess, nullptr, "Princess"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << c.Id);
    ItemPtr item = Make(c.Id);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->GetId(), c.Id);
    EXPECT_EQ(GetGoalKind(item->GetId()), c.Kind);
    const TextId message = GetGoalMessage(item->GetId());
    if (c.Message)
      EXPECT_STREQ(GetCurrentLanguageText(message), c.Message);
    else
      EXPECT_EQ(message, -1);
    char name[ItemTextSize];
    EXPECT_STREQ(item->GetDisplayName(name, sizeof name), c.Name);
    EXPECT_FALSE(item->IsUsable());
    EXPECT_FALSE(item->IsEquipment());
    EXPECT_EQ(item->GetTotalPrice(), 0);
  }
  // Whatever else lies on the cell is no goal.
  for (ItemId other : {0x000, 0x900, 0xC00, 0xD0A, NoItem}) EXPECT_EQ(GetGoalKind(other), GoalKind::None) << other;
}

TEST_F(EventItems, TheTutorialStairMarkerStartsHidden) {
  EXPECT_FALSE(Make(0xD06)->IsRevealed());
  EXPECT_TRUE(Make(0xD05)->IsRevealed());
}

}  // namespace

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "characters/CCharacterEffect.h"
#include "characters/CCharacterList.h"
#include "characters/CharacterFactory.h"
#include "characters/EffectTestSupport.h"
#include "platform/PictureTable.h"
#include "platform/Random.h"
#include "platform/Renderer.h"

namespace {

using efftest::EffectFixture;
using efftest::Log;
using efftest::Shooter;
using efftest::SoundLog;
using efftest::TallyItem;

// ---- The effect itself

TEST(EffectCharacter, BuiltWithItsTableAndPictures) {
  const std::uint32_t sheet = GetPictureRow(7)->Slot, bursts = GetPictureRow(14)->Slot;
  const std::uint32_t sheetUsers = TextureRefCounts[sheet], burstUsers = TextureRefCounts[bursts];
  CCharacter* made = CreateCharacter(EffectCharacterType);
  auto* effect = dynamic_cast<CCharacterEffect*>(made);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->type, 4096);
  EXPECT_EQ(effect->level, 1);
  EXPECT_EQ(effect->hp, 10);
  EXPECT_EQ(effect->maxHp, 10);
  EXPECT_EQ(effect->attack, 10);
  EXPECT_EQ(effect->defence, 10);
  EXPECT_EQ(effect->GetValue(), -1);
  EXPECT_EQ(effect->animEntry, 0);
  EXPECT_EQ(effect->moveStep, 0);
  EXPECT_EQ(effect->alive, 1);
  EXPECT_EQ(effect->frames.size(), 364u);
  EXPECT_EQ(TextureRefCounts[sheet], sheetUsers + 1);
  EXPECT_EQ(TextureRefCounts[bursts], burstUsers + 1);
  delete made;
  EXPECT_EQ(TextureRefCounts[sheet], sheetUsers);
  EXPECT_EQ(TextureRefCounts[bursts], burstUsers);
}

TEST(EffectCharacter, FrameTableRecords) {
  struct Row {
    int Entry, X, Y, Half, Duration, Next, Picture;  // Half 0: no box
  };
  const Row rows[] = {
      {0, 20, 20, 20, 1, 0, 0},       {10, 0, 0, 0, 999, -1, 7},      {67, 0, 0, 0, 999, -1, 7},
      {77, 0, 0, 0, 999, -1, 7},      {190, 0, 0, 0, 999, -1, 7},     {90, 10, 210, 10, 1, 91, 136},
      {93, 10, 270, 10, 1, 90, 136},  {102, 30, 250, 10, 1, 103, 136}, {110, 60, 220, 20, 999, -1, 136},
      {123, 90, 270, 10, 1, 120, 136}, {131, 110, 230, 10, 1, 132, 136}, {140, 110, 410, 10, 999, -1, 135},
      {150, 50, 410, 10, 999, -1, 135}, {162, 50, 210, 10, 1, 163, 7}, {163, 70, 210, 10, 1, 160, 7},
      {171, 110, 230, 10, 2, 170, 7}, {194, 0, 0, 0, 1, 0, 0},        {204, 20, 260, 20, 2, 205, 14},
      {207, 60, 260, 20, 2, 208, 14}, {210, 180, 260, 20, 2, 0, 14},  {216, 100, 140, 20, 2, 217, 14},
      {224, 20, 100, 20, 2, 225, 14}, {238, 100, 180, 20, 2, 239, 14}, {250, 180, 220, 20, 2, 0, 14},
      {254, 0, 0, 0, 1, 0, 0},        {264, 0, 0, 0, 1, 0, 0},        {274, 0, 0, 0, 10, 0, 0},
      {306, 0, 0, 0, 10, 0, 0},       {275, 10, 170, 10, 2, 276, 7},  {279, 90, 170, 10, 2, 0, 7},
      {291, 90, 170, 10, 2, 0, 7},    {299, 50, 190, 10, 2, 300, 7},  {284, 50, 230, 10, 2, 285, 7},
      {285, 70, 230, 10, 2, 284, 7},  {295, 110, 230, 10, 2, 294, 7}, {304, 130, 230, 10, 2, 305, 7},
      {305, 150, 230, 10, 4, 304, 7}, {307, 110, 190, 10, 4, 308, 7}, {308, 130, 190, 10, 4, 0, 7},
      {344, 0, 0, 0, 2, 344, 0},
      // Entries nobody starts end at their first frame.
      {345, 0, 0, 0, 1, 0, 0},        {363, 0, 0, 0, 1, 0, 0},
  };
  CCharacterEffect effect;
  for (const Row& r : rows) {
    const AnimationFrame& f = effect.frames[static_cast<std::size_t>(r.Entry)];
    EXPECT_EQ(f.centreX, r.X) << r.Entry;
    EXPECT_EQ(f.centreY, r.Y) << r.Entry;
    EXPECT_EQ(f.left, -r.Half) << r.Entry;
    EXPECT_EQ(f.top, -r.Half) << r.Entry;
    EXPECT_EQ(f.right, r.Half ? r.Half - 1 : 0) << r.Entry;
    EXPECT_EQ(f.bottom, r.Half ? r.Half - 1 : 0) << r.Entry;
    EXPECT_EQ(f.duration, r.Duration) << r.Entry;
    EXPECT_EQ(f.next, r.Next) << r.Entry;
    EXPECT_EQ(f.texture, r.Picture) << r.Entry;
  }
}

TEST(EffectCharacter, StepsPerCellByEntry) {
  const int one[] = {70, 77, 90, 93, 103, 110, 120, 133, 140, 150, 154};
  const int two[] = {160, 163, 170, 173, 284, 285, 294, 295, 304, 305, 314, 316, 324, 334, 335, 354, 357};
  const int none[] = {0, 10, 60, 78, 80, 94, 141, 155, 174, 180, 204, 274, 286, 296, 306, 317, 325, 336, 358};
  CCharacterEffect effect;
  for (int e : one) {
    effect.animEntry = e;
    EXPECT_EQ(effect.GetStepsPerCell(), 1) << e;
  }
  for (int e : two) {
    effect.animEntry = e;
    EXPECT_EQ(effect.GetStepsPerCell(), 2) << e;
  }
  for (int e : none) {
    effect.animEntry = e;
    EXPECT_EQ(effect.GetStepsPerCell(), 0) << e;
  }
}

TEST(EffectCharacter, CaptionKeepsNineteenBytesOfWholeCharacters) {
  CCharacterEffect effect;
  struct Case {
    std::string Text, Kept;
  };
  const Case cases[] = {
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRS"},
      {"ABCDEFGHIJKLMNOPQR\x82\xa0", "ABCDEFGHIJKLMNOPQR"},  // the double-byte character would straddle the end
      {"ABCDEFGHIJKLMNOPQ\x82\xa0", "ABCDEFGHIJKLMNOPQ\x82\xa0"},
      {"", ""},
  };
  for (const Case& c : cases) {
    effect.SetCaption(c.Text.c_str());
    EXPECT_EQ(std::string(effect.GetCaption()), c.Kept) << c.Text;
  }
  effect.SetCaption(nullptr);
  EXPECT_STREQ(effect.GetCaption(), "");
}

// ---- Entries that show and go

class EffectEntries : public EffectFixture {};

TEST_F(EffectEntries, RisingNumbersAndCaptionsLastSixteenFramesWithoutHolding) {
  struct Case {
    const char* Name;
    void (*Spawn)(CCharacter&);
    AnimationEntry Entry;
    const char* Caption;
  };
  const Case cases[] = {
      {"damage", [](CCharacter& c) { c.SpawnEffect(12); }, EffectWhiteNumber, ""},
      {"heal", [](CCharacter& c) { c.SpawnHealNumber(5); }, EffectGreenNumber, ""},
      {"satiety", [](CCharacter& c) { CCharacterEffect::SpawnNumber(c.x, c.y, EffectCyanNumber, 3); },
       EffectCyanNumber, ""},
      {"miss", [](CCharacter& c) { c.ShowMissEffect(); }, EffectMiss, "MISS!"},
      {"level", [](CCharacter& c) { CCharacterEffect::SpawnCaption(c.x, c.y, EffectLevelUp, nullptr, 255, 255, 255, 0); },
       EffectLevelUp, "LEVEL UP!"},
      {"caption", [](CCharacter& c) { c.ShowCaption("CURE"); }, EffectCaption, "CURE"},
      {"item", [](CCharacter& c) { CCharacterEffect::SpawnRisingItem(c.x, c.y, new CItem); }, EffectRisingItem, ""},
  };
  for (const Case& c : cases) {
    CCharacter* who = PlaceTarget(4, 2);
    c.Spawn(*who);
    ASSERT_EQ(Listed(), 1) << c.Name;
    CCharacterEffect* effect = First();
    EXPECT_EQ(effect->animEntry, c.Entry) << c.Name;
    EXPECT_EQ(effect->x, 4);
    EXPECT_EQ(effect->y, 2);
    EXPECT_STREQ(effect->GetCaption(), c.Caption) << c.Name;
    Frame(15);
    EXPECT_EQ(Listed(), 1) << c.Name;
    EXPECT_EQ(effect->animTick, 15) << c.Name;
    EXPECT_EQ(Holds(), 0) << c.Name;
    Frame();
    EXPECT_EQ(Listed(), 0) << c.Name << ": gone after exactly 16 frames";
    RemoveEveryone();
  }
}

TEST_F(EffectEntries, NumbersShowTheirAmount) {
  CCharacter* who = PlaceTarget(2, 2);
  who->SpawnEffect(-4);
  who->SpawnHealNumber(250);
  EXPECT_EQ(static_cast<CCharacterEffect*>(floor_.Effects.GetAt(1))->Number, -4);
  EXPECT_EQ(static_cast<CCharacterEffect*>(floor_.Effects.GetAt(2))->Number, 250);
}

TEST_F(EffectEntries, HeldCaptionWaitsItsDelayThenHoldsSixteenFrames) {
  CCharacter* who = PlaceTarget(2, 2);
  who->ShowPopupDelayed("POISON", 3);
  CCharacterEffect* popup = First();
  EXPECT_EQ(popup->animEntry, EffectHeldCaption);
  EXPECT_STREQ(popup->GetCaption(), "POISON");
  EXPECT_EQ(Holds(), 1) << "held from the start, through the delay";
  Frame(3);
  EXPECT_EQ(popup->holdTicks, 0);
  EXPECT_EQ(popup->animTick, 0) << "the delay does not count as frames of the caption";
  Frame(15);
  EXPECT_EQ(Holds(), 1);
  EXPECT_EQ(Listed(), 1);
  Frame();
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(Listed(), 0);

  // ShowPopup is the same without a delay.
  who->ShowPopup("RESIST!");
  EXPECT_EQ(FramesUntilGone(), 16);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(EffectEntries, CaptionsTakeTheColourTheyAreGiven) {
  CCharacter* who = PlaceTarget(2, 2);
  who->ShowColouredCaption("7", 128, 255, 128);
  EXPECT_EQ(First()->animEntry, EffectCaption);
  EXPECT_EQ(First()->red, 128);
  EXPECT_EQ(First()->green, 255);
  EXPECT_EQ(First()->blue, 128);
}

TEST_F(EffectEntries, ItemUseBurstsPlayOnceAndCompleteTheUseAtTheirEnd) {
  SoundLog sound;
  struct Case {
    AnimationEntry Entry;
    bool Sound;
    int Frames;
  };
  const Case cases[] = {{204, true, 14}, {214, true, 14}, {224, true, 14}, {234, true, 14},
                        {244, true, 14}, {194, false, 1}, {254, false, 1}, {264, false, 1}};
  for (const Case& c : cases) {
    int deleted = 0;
    TallyItem trap(&deleted);
    ASSERT_TRUE(floor_.PutItemAt(3, 3, &trap));
    sound.NextFrame();
    CCharacterEffect* burst = CCharacterEffect::SpawnItemBurst(3, 3, c.Entry, &trap);
    EXPECT_EQ(sound.Played(38), c.Sound) << c.Entry;
    EXPECT_EQ(Holds(), 1) << c.Entry;
    std::vector<AnimationEntry> shown;
    for (int n = 1; n < c.Frames; ++n) {
      sound.NextFrame();
      Frame();
      shown.push_back(burst->animEntry);
      EXPECT_FALSE(sound.Played(38)) << c.Entry << " frame " << n;
    }
    EXPECT_EQ(trap.Uses, 0) << c.Entry;
    EXPECT_EQ(Holds(), 1) << c.Entry;
    Frame();
    EXPECT_EQ(Listed(), 0) << c.Entry;
    EXPECT_EQ(trap.Uses, 1) << c.Entry;
    EXPECT_EQ(Holds(), 0) << c.Entry;
    EXPECT_EQ(deleted, 0) << c.Entry << ": the trap is the floor's";
    floor_.RemoveItemAt(3, 3);
    if (c.Frames == 14) {
      // Seven frames of two.
      const AnimationEntry f = c.Entry;
      EXPECT_EQ(shown, (std::vector<AnimationEntry>{f, f + 1, f + 1, f + 2, f + 2, f + 3, f + 3, f + 4, f + 4, f + 5,
                                                    f + 5, f + 6, f + 6}));
    }
  }
}

TEST_F(EffectEntries, DroppedItemHopsForFiveFramesThenShows) {
  int deleted = 0;
  auto* dropped = new TallyItem(&deleted);
  dropped->SetPosition(3, 3);
  dropped->SetRevealed(false);
  floor_.itemAt[CellIndex(3, 3)] = dropped;
  CCharacterEffect* hop = CCharacterEffect::SpawnDroppedItem(dropped, 2, 3);
  EXPECT_EQ(hop->x, 3);
  EXPECT_EQ(hop->prevX, 2);
  EXPECT_EQ(Holds(), 1);
  Frame(4);
  EXPECT_FALSE(dropped->IsRevealed());
  EXPECT_EQ(Holds(), 1);
  Frame();
  EXPECT_TRUE(dropped->IsRevealed());
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(Listed(), 0);
  EXPECT_EQ(deleted, 0) << "it lies on the floor now";
  floor_.itemAt[CellIndex(3, 3)] = nullptr;
  delete dropped;
}

TEST_F(EffectEntries, RisingItemIsDeletedWithTheEffect) {
  int deleted = 0;
  CCharacterEffect::SpawnRisingItem(3, 3, new TallyItem(&deleted));
  Frame(15);
  EXPECT_EQ(deleted, 0);
  Frame();
  EXPECT_EQ(deleted, 1);
}

TEST_F(EffectEntries, EntriesOutsideTheTableEndTheEffect) {
  for (AnimationEntry bad : {364, 5000, -2}) {
    CCharacterEffect* flight = CCharacterEffect::SpawnMissile(PlaceTarget(1, 3), EffectArrow, nullptr, -1, 0);
    ASSERT_EQ(Holds(), 1);
    flight->SetAnimation(bad);
    EXPECT_EQ(flight->alive, 0) << bad;
    EXPECT_EQ(Holds(), 0) << bad;
    Frame();
    EXPECT_EQ(Listed(), 0);
    RemoveEveryone();
  }
  // An entry poked past the table, and a record leading out of it.
  CCharacterEffect* poked = CCharacterEffect::SpawnItemBurst(3, 3, 204, nullptr);
  poked->animEntry = 999;
  Frame();
  EXPECT_EQ(Listed(), 0);
  EXPECT_EQ(Holds(), 0);
  CCharacterEffect* led = CCharacterEffect::SpawnItemBurst(3, 3, 204, nullptr);
  led->frames[204].next = 700;
  Frame(2);
  EXPECT_EQ(Listed(), 0);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(EffectEntries, NothingIsShownWithoutAFloor) {
  CCharacter* who = PlaceTarget(2, 2);
  game_->CurrentStage = nullptr;
  who->SpawnEffect(3);
  who->ShowMissEffect();
  who->ShowCaption("A");
  who->ShowPopup("B");
  who->SpawnCellFire(5, who);
  int deleted = 0;
  EXPECT_EQ(CCharacterEffect::SpawnMissile(who, EffectArrow, new TallyItem(&deleted), -1, 0), nullptr);
  EXPECT_EQ(CCharacterEffect::SpawnRisingItem(2, 2, new TallyItem(&deleted)), nullptr);
  EXPECT_EQ(deleted, 2) << "items given to carry are not lost";
  EXPECT_EQ(Holds(), 0);
  game_->CurrentStage = &floor_;
  EXPECT_EQ(Listed(), 0);
}

// ---- Flights

class EffectFlights : public EffectFixture {};

TEST_F(EffectFlights, EndAtWallsCharactersAndTheirRange) {
  struct Case {
    const char* Name;
    AnimationEntry Entry;
    int From, Range, TargetAt;  // TargetAt 0: nobody on the row
    int Frames;
    const char* Hook;
  };
  // The shooter stands on row 3 of the room (columns 1-5) facing right; the
  // wall is column 6.
  const Case cases[] = {
      {"arrow at a wall two cells away", EffectArrow, 4, -1, 0, 1, "item"},
      {"arrow with range 3", EffectArrow, 1, 3, 0, 3, "item"},
      {"arrow at a character", EffectArrow, 1, -1, 3, 2, "item"},
      {"arrow out of range before a character", EffectArrow, 1, 1, 3, 1, "item"},
      {"thrown item", EffectThrownItem, 3, -1, 0, 2, "item"},
      {"thrown spear", 110, 1, -1, 5, 4, "item"},
      {"kunai", EffectKunai, 1, -1, 2, 1, "item"},
      {"wand bolt at a character", EffectWandBolt, 1, -1, 3, 4, "wand"},
      {"wand bolt at a wall", EffectWandBolt, 1, -1, 0, 8, "wand"},
      {"reach shot with range 3", EffectReachShot, 1, 3, 0, 6, "reach"},
      {"flying fire at a wall", EffectBreath, 4, -1, 0, 2, "item"},
  };
  for (const Case& c : cases) {
    Log log;
    Shooter* shooter = PlaceShooter(c.From, 3, DirectionRight, &log);
    if (c.TargetAt) PlaceTarget(c.TargetAt, 3);
    int deleted = 0;
    CCharacterEffect* flight =
        CCharacterEffect::SpawnMissile(shooter, c.Entry, new TallyItem(&deleted), c.Range, 0);
    ASSERT_NE(flight, nullptr);
    EXPECT_EQ(flight->GetParticipant(), shooter);
    int frames = 0;
    while (Listed() > 0 && frames < 50) {
      EXPECT_EQ(Holds(), 1) << c.Name << " frame " << frames;
      EXPECT_TRUE(log.empty()) << c.Name << ": the hook runs at the end only";
      Frame();
      ++frames;
    }
    EXPECT_EQ(frames, c.Frames) << c.Name;
    EXPECT_EQ(log, (Log{c.Hook})) << c.Name;
    EXPECT_EQ(Holds(), 0) << c.Name;
    EXPECT_EQ(deleted, 1) << c.Name << ": the carried picture goes with the flight";
    RemoveEveryone();
  }
}

TEST_F(EffectFlights, StepCountAtTheEnd) {
  // Two steps per cell: a character two cells on is met at the fourth step.
  Log log;
  Shooter* shooter = PlaceShooter(1, 3, DirectionRight, &log);
  PlaceTarget(3, 3);
  CCharacterEffect* bolt = CCharacterEffect::SpawnMissile(shooter, EffectWandBolt, nullptr, -1, 0);
  Frame(3);
  EXPECT_EQ(bolt->moveStep, 3);
  EXPECT_EQ(bolt->animEntry, 163) << "the bolt's picture turns every step";
  EXPECT_TRUE(log.empty());
  Frame();
  EXPECT_EQ(log, (Log{"wand"}));
}

TEST_F(EffectFlights, DeadCharactersAreFlownOver) {
  Log log;
  Shooter* shooter = PlaceShooter(1, 3, DirectionRight, &log);
  PlaceTarget(2, 3, 0);
  CCharacterEffect::SpawnMissile(shooter, EffectArrow, nullptr, -1, 0);
  EXPECT_EQ(FramesUntilGone(), 4) << "on to the wall";
}

TEST_F(EffectFlights, OutOfSightTheFlightTakesNoTime) {
  Log log;
  Shooter* shooter = PlaceShooter(1, 3, DirectionRight, &log);
  floor_.CameraX = floor_.CameraY = 30;
  CCharacterEffect* arrow = CCharacterEffect::SpawnMissile(shooter, EffectArrow, nullptr, -1, 0);
  ASSERT_NE(arrow, nullptr);
  Frame();
  EXPECT_EQ(Listed(), 0);
  EXPECT_EQ(log, (Log{"item"}));
  EXPECT_EQ(Holds(), 0);

  // Half in sight: the steps out of sight run on until one lands in it.
  floor_.CameraX = 12;
  floor_.CameraY = 3;  // the view's left edge is column 2
  CCharacterEffect* second = CCharacterEffect::SpawnMissile(shooter, EffectArrow, nullptr, -1, 0);
  Frame();
  EXPECT_EQ(second->moveStep, 1) << "column 2 is in sight";
  floor_.CameraX = 14;  // now columns below 4 are not
  Frame();
  EXPECT_EQ(second->moveStep, 3);
}

TEST_F(EffectFlights, PastTheEdgeOutOfSightEnds) {
  // A floor whose outside is not wall (the lakes): the flight leaves the
  // map and ends once it is also out of the drawn area.
  class OpenEdge : public chartest::TestFloor {
  public:
    OpenEdge() : TestFloor(0, 0, 39, 39) {}
    TerrainCode GetTerrain(int x, int y) const override { return IsOutOfMap(x, y) ? 5 : terrain[CellIndex(x, y)]; }
  } lake;
  game_->CurrentStage = &lake;
  lake.CameraX = 36;
  lake.CameraY = 3;
  Log log;
  Shooter* shooter = PlaceShooter(38, 3, DirectionRight, &log);
  CCharacterEffect::SpawnMissile(shooter, EffectArrow, nullptr, -1, 0);
  int frames = 0;
  while (lake.Effects.GetCount() > 0 && frames < 100) {
    lake.Effects.UpdateAndPrune();
    ++frames;
  }
  // Cells 39 to 46 are in sight (the view reaches 10 cells right of 36);
  // the step to 47 is not, and off the map it ends.
  EXPECT_EQ(frames, 9);
  EXPECT_EQ(log, (Log{"item"}));
  EXPECT_EQ(Holds(), 0);
  game_->CurrentStage = &floor_;
}

TEST_F(EffectFlights, FacingNowhereEndsAtOnce) {
  Log log;
  Shooter* shooter = PlaceShooter(3, 3, DirectionNone, &log);
  CCharacterEffect::SpawnMissile(shooter, EffectArrow, nullptr, -1, 0);
  EXPECT_EQ(FramesUntilGone(), 1);
  EXPECT_EQ(Holds(), 0);
}

TEST_F(EffectFlights, AShooterThatDiedOnTheWayIsLeftAlone) {
  enum class Fate { Deleted, DyingChainEnded, NoHitPoints };
  for (Fate fate : {Fate::Deleted, Fate::DyingChainEnded, Fate::NoHitPoints}) {
    Log log;
    Shooter* shooter = PlaceShooter(1, 3, DirectionRight, &log);
    CCharacterEffect* arrow = CCharacterEffect::SpawnMissile(shooter, EffectArrow, nullptr, -1, 0);
    Frame();
    switch (fate) {
      case Fate::Deleted:
        // Taken out of the game's list without leaving the floor properly.
        game_->Characters.Remove(shooter);
        floor_.characterAt[CellIndex(1, 3)] = nullptr;
        delete shooter;
        break;
      case Fate::DyingChainEnded:
        shooter->SetAnimation(AnimationGone);
        game_->Characters.UpdateAndPrune();
        break;
      case Fate::NoHitPoints:
        shooter->hp = 0;
        break;
    }
    EXPECT_EQ(arrow->alive, 1);
    Frame(10);
    EXPECT_EQ(Listed(), 0);
    EXPECT_TRUE(log.empty()) << static_cast<int>(fate);
    EXPECT_EQ(Holds(), 0) << static_cast<int>(fate);
    RemoveEveryone();
  }
}

TEST_F(EffectFlights, FlyingFireBurstsOnTheCharacterItMeets) {
  SoundLog sound;
  struct Case {
    AnimationEntry Flight, Burst, Flames;
    bool Spell;
  };
  const Case cases[] = {{EffectBreath, 286, 287, false}, {EffectGhostFire, 296, 297, false}, {EffectSpell, 306, 307, true}};
  for (const Case& c : cases) {
    Log log;
    Shooter* shooter = PlaceShooter(1, 3, DirectionRight, &log);
    CCharacter* target = PlaceTarget(3, 3);
    CCharacterEffect* fire = CCharacterEffect::SpawnMissile(shooter, c.Flight, nullptr, -1, 0);
    Frame(3);
    sound.NextFrame();
    Frame();  // the fourth step reaches (3, 3)
    EXPECT_EQ(fire->animEntry, c.Burst) << c.Flight;
    EXPECT_EQ(fire->x, 3);
    EXPECT_EQ(fire->moveStep, 0);
    EXPECT_EQ(sound.Played(71), c.Spell) << c.Flight;
    EXPECT_EQ(Holds(), 1);
    EXPECT_TRUE(log.empty());
    // Ten frames of flames, a new one each frame, a crackle every other.
    int crackles = 0;
    for (int n = 1; n <= 10; ++n) {
      sound.NextFrame();
      Frame();
      if (sound.Played(16)) ++crackles;
      if (n < 10) {
        EXPECT_EQ(fire->animEntry, c.Burst) << c.Flight << " frame " << n;
      }
    }
    EXPECT_EQ(crackles, 5) << c.Flight;
    EXPECT_EQ(log, (Log{"item"})) << c.Flight << ": the shooter works out the hit";
    EXPECT_EQ(target->hp, 20) << c.Flight << ": the burst itself deals nothing";
    EXPECT_EQ(Holds(), 0);
    // The flames of the burst, each from its own start entry, finish alone.
    ASSERT_GT(Listed(), 0);
    for (CCharacter* flame : floor_.Effects.Walk()) EXPECT_GE(flame->animEntry, c.Flames) << c.Flight;
    Frame(10);
    EXPECT_EQ(Listed(), 0);
    RemoveEveryone();
  }
}

// ---- Pyrokinesis

class Victim : public CCharacter {
public:
  int TakeHit(AttackType type, int damage, CCharacter* attacker) override {
    Hits.push_back({type, damage, attacker});
    return damage;
  }
  struct Hit {
    AttackType Type;
    int Damage;
    CCharacter* Attacker;
    bool operator==(const Hit&) const = default;
  };
  std::vector<Hit> Hits;
};

class Pyrokinesis : public EffectFixture {};

TEST_F(Pyrokinesis, FlamesForTenFramesThenTheFireHitsWhoeverStandsThere) {
  SoundLog sound;
  CCharacter* caster = PlaceTarget(1, 1);
  auto* victim = Place<Victim>(3, 3);
  victim->hp = 30;
  SeedRandom(77);
  CCharacterEffect* fire = CCharacterEffect::SpawnFire(3, 3, DirectionLeft, 9, caster);
  EXPECT_EQ(Holds(), 1);
  std::vector<int> crackleFrames;
  for (int n = 1; n <= 9; ++n) {
    sound.NextFrame();
    Frame();
    if (sound.Played(16)) crackleFrames.push_back(n);
    EXPECT_TRUE(victim->Hits.empty());
    EXPECT_EQ(fire->animEntry, EffectPyrokinesis);
  }
  EXPECT_EQ(Listed(), 10) << "the fire and a flame for each frame";
  sound.NextFrame();
  Frame();
  EXPECT_EQ(crackleFrames, (std::vector<int>{1, 3, 5, 7, 9}));
  EXPECT_EQ(victim->Hits, (std::vector<Victim::Hit>{{5, 9, caster}}));
  EXPECT_EQ(Holds(), 0);
  // The fire has gone with the first flame (ten frames old); the others are
  // scattered, facing the fire's way. The scatter is only for the eye and
  // leaves the game's sequence alone.
  EXPECT_EQ(Listed(), 9);
  for (CCharacter* c : floor_.Effects.Walk()) {
    auto* flame = static_cast<CCharacterEffect*>(c);
    EXPECT_GE(flame->animEntry, 275);
    EXPECT_LE(flame->animEntry, 279);
    EXPECT_EQ(flame->direction, DirectionLeft);
    EXPECT_EQ(flame->x, 3);
    EXPECT_GE(flame->OffsetX, -26);
    EXPECT_LE(flame->OffsetX, 26);
    EXPECT_GE(flame->OffsetY, -26);
    EXPECT_LE(flame->OffsetY, 26);
    EXPECT_FALSE(flame->HoldsTurn());
  }
  const int next = Random();
  SeedRandom(77);
  EXPECT_EQ(next, Random());
  Frame(10);
  EXPECT_EQ(Listed(), 0);
}

TEST_F(Pyrokinesis, TheHitNeedsALivingCharacterAndAnswersForAGoneCaster) {
  enum class Standing { Nobody, Dead, Living };
  struct Case {
    Standing On;
    bool CasterGone;
    bool Hit;
  };
  const Case cases[] = {{Standing::Nobody, false, false},
                        {Standing::Dead, false, false},
                        {Standing::Living, false, true},
                        {Standing::Living, true, true}};
  for (const Case& c : cases) {
    CCharacter* caster = PlaceTarget(1, 1);
    Victim* victim = nullptr;
    if (c.On != Standing::Nobody) {
      victim = Place<Victim>(3, 3);
      victim->hp = c.On == Standing::Living ? 30 : 0;
    }
    CCharacterEffect::SpawnFire(3, 3, DirectionDown, 4, caster);
    if (c.CasterGone) {
      game_->Characters.Remove(caster);
      floor_.characterAt[CellIndex(1, 1)] = nullptr;
      delete caster;
    }
    Frame(10);
    EXPECT_EQ(Holds(), 0);
    if (victim) {
      ASSERT_EQ(victim->Hits.size(), c.Hit ? 1u : 0u);
      if (c.Hit) {
        EXPECT_EQ(victim->Hits[0].Attacker, c.CasterGone ? nullptr : caster);
      }
    }
    floor_.Effects.DeleteAll();
    RemoveEveryone();
  }
}

TEST_F(Pyrokinesis, FireLeftByAHitBurnsForItsOwner) {
  CCharacter* owner = PlaceTarget(1, 1);
  auto* burnt = Place<Victim>(2, 2);
  burnt->hp = 10;
  burnt->direction = DirectionUpRight;
  burnt->SpawnCellFire(6, owner);
  CCharacterEffect* fire = First();
  EXPECT_EQ(fire->animEntry, EffectPyrokinesis);
  EXPECT_EQ(fire->direction, DirectionUpRight);
  EXPECT_EQ(fire->Number, 6);
  EXPECT_EQ(fire->GetParticipant(), owner);
  Frame(10);
  EXPECT_EQ(burnt->Hits, (std::vector<Victim::Hit>{{5, 6, owner}}));
}

// ---- The floor goes

TEST_F(EffectEntries, AFloorDeletedMidwayReleasesEveryHoldAndOnlyOwnedItems) {
  auto* floor = new chartest::TestFloor(1, 1, 5, 5);
  game_->CurrentStage = floor;
  Log log;
  Shooter* shooter = PlaceShooter(1, 3, DirectionRight, &log);
  int picturesDeleted = 0, droppedDeleted = 0;
  TallyItem dropped(&droppedDeleted);
  dropped.SetPosition(4, 4);

  CCharacterEffect::SpawnMissile(shooter, EffectArrow, new TallyItem(&picturesDeleted), -1, 0);
  CCharacterEffect::SpawnFire(3, 3, DirectionDown, 5, shooter);
  CCharacterEffect::SpawnDroppedItem(&dropped, 3, 4);
  CCharacterEffect::SpawnRisingItem(2, 2, new TallyItem(&picturesDeleted));
  CCharacterEffect::SpawnItemBurst(2, 2, 224, &dropped);
  shooter->ShowPopup("WAIT");
  EXPECT_EQ(Holds(), 5);
  floor->Effects.UpdateAndPrune();
  floor->Effects.UpdateAndPrune();
  ASSERT_GT(floor->Effects.GetCount(), 6) << "flames burn, the arrow flies";
  delete floor;
  game_->CurrentStage = &floor_;
  EXPECT_EQ(Holds(), 0);
  EXPECT_EQ(picturesDeleted, 2);
  EXPECT_EQ(droppedDeleted, 0);
  EXPECT_EQ(dropped.Uses, 0) << "a use that never ended is not completed";
  EXPECT_TRUE(log.empty());
}

// ---- A whole shot of the player

class ShootingPlayer : public CCharacterPlayer {
public:
  CItem* GetItem(int index) const override { return index == GetSelectedItem() ? Held : nullptr; }
  void RemoveItemAt(int index) override {
    if (index == GetSelectedItem()) Held = nullptr;
  }
  bool PerformMeleeAttack() override {
    ++Blows;
    return true;
  }
  CItem* Held = nullptr;
  int Blows = 0;
};

class PlayerShots : public EffectFixture {
protected:
  ShootingPlayer* Player(int x, int y, Direction facing) {
    auto* player = Place<ShootingPlayer>(x, y);
    player->hp = 30;
    player->SetDirection(facing);
    player->SetSelectedItem(5);
    return player;
  }
};

TEST_F(PlayerShots, AWandBoltEndsOnTheFirstLivingCharacterItsMagicReaches) {
  class Rock : public CCharacter {
  public:
    bool IsMagicTarget() const override { return false; }
  };
  ShootingPlayer* player = Player(1, 3, DirectionRight);
  TallyItem wand;
  player->Held = &wand;
  PlaceTarget(2, 3, 0);  // fallen already
  CCharacter* target = PlaceTarget(4, 3);
  CCharacterEffect::SpawnMissile(player, EffectWandBolt, nullptr, -1, 0);
  EXPECT_EQ(FramesUntilGone(), 6);
  EXPECT_EQ(wand.HitBy, (std::vector<CCharacter*>{player}));
  EXPECT_EQ(wand.HitOn, (std::vector<CCharacter*>{target}));

  // A character magic passes by stops the bolt all the same.
  wand.HitOn.clear();
  Place<Rock>(3, 3)->hp = 5;
  player->EndWandShot();
  EXPECT_TRUE(wand.HitOn.empty());
}

TEST_F(PlayerShots, TheReachShotStrikesWithinItsRange) {
  ShootingPlayer* player = Player(1, 3, DirectionRight);
  player->EndReachShot();
  EXPECT_EQ(player->Blows, 0) << "nobody in reach";
  CCharacter* far = PlaceTarget(5, 3);
  player->EndReachShot();
  EXPECT_EQ(player->Blows, 0) << "four cells is past the reach";
  far->SetPosition(4, 3);
  floor_.MoveCharacterTo(4, 3, far);
  CCharacterEffect::SpawnMissile(player, EffectReachShot, nullptr, player->GetMagicShotRange(), 0);
  FramesUntilGone();
  EXPECT_EQ(player->Blows, 1);
}

TEST_F(PlayerShots, AnItemInFlightHitsOrLandsBeforeTheWall) {
  // A throw's hit is rolled: a seed whose roll hits, whatever ran before.
  SeedRandom(1);
  ShootingPlayer* player = Player(2, 3, DirectionRight);
  auto* single = new TallyItem;
  player->Held = single;
  CCharacter* target = PlaceTarget(4, 3);
  player->EndItemShot();
  EXPECT_EQ(single->HitOn, (std::vector<CCharacter*>{target}));
  EXPECT_EQ(player->Held, single) << "what becomes of a hitting item is the item's own";

  // At the wall: a single item leaves the inventory and lands before it.
  RemoveEveryone();
  player = Player(2, 3, DirectionRight);
  player->Held = single;
  player->EndItemShot();
  EXPECT_EQ(player->Held, nullptr);
  EXPECT_EQ(floor_.GetItemAt(5, 3), single);

  // One of a stack flies as an unequipped copy; the stack keeps the rest.
  TallyItem stack;
  stack.SetCount(3);
  stack.SetEquipped(true);
  player->Held = &stack;
  player->SetDirection(DirectionDown);
  player->EndItemShot();
  EXPECT_EQ(stack.GetCount(), 2);
  CItem* copy = floor_.GetItemAt(2, 5);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GetCount(), 1);
  EXPECT_FALSE(copy->IsEquipped());

  // An item that returns stays where it was.
  stack.ReturnChance = 100;
  player->SetDirection(DirectionUp);
  player->EndItemShot();
  EXPECT_EQ(stack.GetCount(), 2);
  EXPECT_EQ(floor_.GetItemAt(2, 1), nullptr);
}

}  // namespace

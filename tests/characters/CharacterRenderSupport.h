#pragma once
// Picture 7 (resource 138) with every texel naming its own place, so that a
// test can read back which texel of the sheet landed on a pixel.
#include <cstdint>
#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CharacterTestSupport.h"
#include "platform/RenderTestSupport.h"

namespace chartest {

inline bool NamedTexelSheet(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId != 138) return rendertest::TestPictures(resourceId, size, argb);
  argb.resize(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      argb[static_cast<std::size_t>(y) * size + x] =
          0xFF000000u | static_cast<std::uint32_t>(x) << 12 | static_cast<std::uint32_t>(y);
  return true;
}

// A real renderer with that sheet loaded as picture 7, the room (1, 1)-
// (5, 5) as the current floor, no player, frame 0, and one bare character
// on (3, 3); the game object is put back afterwards.
class SheetFixture : public rendertest::RenderFixture {
protected:
  void SetUp() override {
    RenderFixture::SetUp();
    SetPictureLoader(&NamedTexelSheet);
    ASSERT_TRUE(LoadTexture(7, 138));
    game_ = GetGameMain();
    savedStage_ = game_->CurrentStage;
    savedPlayer_ = game_->Player;
    savedFrame_ = game_->FrameCount;
    game_->CurrentStage = &floor_;
    game_->Player = nullptr;
    game_->FrameCount = 0;
    character_.SetPosition(3, 3);
  }
  void TearDown() override {
    ReleaseTexture(7);
    game_->CurrentStage = savedStage_;
    game_->Player = savedPlayer_;
    game_->FrameCount = savedFrame_;
    RenderFixture::TearDown();
  }

  CGameMain* game_ = nullptr;
  TestFloor floor_{1, 1, 5, 5};
  CCharacter character_;
  CStageData* savedStage_ = nullptr;
  CCharacterPlayer* savedPlayer_ = nullptr;
  std::uint32_t savedFrame_ = 0;
};

}  // namespace chartest

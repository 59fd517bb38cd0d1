// Every title screen is one object, made on its first request, whichever
// id or accessor asks.
#include <gtest/gtest.h>

#include "screens/CGameInputDeleteCheck.h"
#include "screens/CGameInputEnding.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleCredits.h"
#include "screens/CGameInputTitleGameOver.h"
#include "screens/CGameInputTitleLogo.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/CGameInputUnlock.h"

namespace {

TEST(TitleInstances, EachIdReachesTheOneObjectOfItsScreen) {
  const struct {
    ScreenId Id;
    CGameInput* Screen;
  } rows[] = {
      {0, GetGameInputTitleTop()},
      {1, GetGameInputTitleTop()},
      {2, GetGameInputTitleTop()},
      {3, GetGameInputTitleStageSelect()},
      {4, GetGameInputTitleCharacterSelect()},
      {5, GetGameInputDeleteCheck()},
      {6, GetGameInputUnlock()},
      {12, GetGameInputTitleCredits()},
      {13, GetGameInputTitleGameOver()},
      {14, GetGameInputTitleLogo()},
      {30, GetGameInputEnding()},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(ScreenFromId(r.Id), r.Screen) << r.Id;
    EXPECT_EQ(ScreenFromId(r.Id), ScreenFromId(r.Id)) << r.Id;
  }
}

}  // namespace

#include "platform/Random.h"
#include "screens/CGameInputDeleteCheck.h"
#include "screens/CGameInputEnding.h"
#include "screens/CGameInputMainClear1.h"
#include "screens/CGameInputMainClear2.h"
#include "screens/CGameInputMainGameOver.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/CGameInputNext.h"
#include "screens/CGameInputOptionJoyPadConfig.h"
#include "screens/CGameInputOptionKeyboardConfig.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleConfig.h"
#include "screens/CGameInputTitleConfigControlSetting.h"
#include "screens/CGameInputTitleCredits.h"
#include "screens/CGameInputTitleGameOver.h"
#include "screens/CGameInputTitleLogo.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/CGameInputUnlock.h"
#include "ui/CGameInput.h"
#include "ui/CGameInputEquip.h"
#include "ui/CGameInputMain.h"
#include "ui/CGameInputMainMap.h"
#include "ui/CGameInputSelectWindow.h"
#include "ui/CGameInputStageStart.h"

CGameInput* ScreenFromId(ScreenId id) {
  switch (id) {
    case 0:
    case 1:
    case 2: return GetGameInputTitleTop();
    case 3: return GetGameInputTitleStageSelect();
    case 4: return GetGameInputTitleCharacterSelect();
    case 5: return GetGameInputDeleteCheck();
    case 6: return GetGameInputUnlock();
    case 7: return GetGameInputTitleScoreRanking();
    case 8: return GetGameInputTitleConfig();
    case 9: return GetGameInputTitleConfigControlSetting();
    case 10: return GetGameInputOptionJoyPadConfig();
    case 11: return GetGameInputOptionKeyboardConfig();
    case 12: return GetGameInputTitleCredits();
    case 13: return GetGameInputTitleGameOver();
    case 14: return GetGameInputTitleLogo();
    case 15: return GetGameInputMain();
    case 16: return GetGameInputMainMap();
    case 17: return GetGameInputMainMenu();
    case 22: return GetGameInputEquip();
    case 23: return GetGameInputNext();
    case 24: return GetGameInputMainGameOver();
    case 25: return GetGameInputMainClear1();
    case 26: return GetGameInputMainClear2();
    case 27: return GetGameInputStageStart();
    case 29: return GetGameInputSelectWindow();
    case 30: return GetGameInputEnding();
    default: return nullptr;
  }
}

std::int32_t RandomDirection() {
  // Up-left, up, up-right, left, right, down-left, down, down-right.
  static constexpr std::int32_t Directions[8] = {5, 4, 6, 1, 2, 9, 8, 10};
  return Directions[Random() % 8];
}

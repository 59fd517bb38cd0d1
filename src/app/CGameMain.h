#pragma once
#include <cstdint>

#include "app/CFramePacer.h"
#include "app/SuspendedGame.h"
#include "characters/CCharacterList.h"
#include "characters/CharacterRecord.h"
#include "platform/CDrawString.h"
#include "platform/CSaveData.h"
#include "platform/CSaveFile.h"
#include "platform/CScoreRanking.h"

class CCharacterPlayer;
class CStageData;

// The one game object: settings, progress, the save blocks, the rankings,
// the characters and the current floor, and the layout every drawing reads.
class CGameMain {
public:
  CGameMain();
  virtual ~CGameMain();
  CGameMain(const CGameMain&) = delete;
  CGameMain& operator=(const CGameMain&) = delete;

  void StartGame();
  void GoToTitle();
  // Reads "save" again and resumes its run at the floor's start; a run
  // that does not come back leaves the game on the title.
  void ContinueGame();
  // A suspended run whose floor and player were restored: the title offers
  // CONTINUE, and warns before NEW GAME, only then.
  bool HasSuspendedGame() const;
  void SetWindowScale(int scale);
  void SetFullscreen(bool on);
  // Stores the game speed, brought into 0-4.
  void SetGameSpeed(int value);

  int GetScreenWidth() const;
  int GetScreenHeight() const;
  int GetViewWidth() const;
  int GetViewHeight() const;
  int GetViewCenterX() const;
  int GetViewCenterY() const;

  bool RunFrame();
  void Draw();
  // A press of F4 / F5 that has not been acted on yet.
  bool IsFullscreenKeyTriggered() const;
  bool IsScaleKeyTriggered() const;

  // Graphics, the save file, key configuration and rankings.
  void InitGraphics();
  void StartNewGame(int dungeonIndex);
  bool LoadAll();
  bool CaptureSaveImage();
  bool WriteSaveFile();
  bool LoadKeyConfig();
  bool SaveKeyConfig();
  void RegisterRanking();
  // Enters one finished run into its six lists and rewrites their files.
  void RegisterRankingEntry(const RankingEntry& entry);

  std::uint32_t FrameCount = 0;
  std::uint8_t AutoMove = 0;
  std::uint32_t ScreenLayout = 5;
  std::int32_t ScreenInsetLeft = 0;
  std::int32_t ScreenInsetRight = 0;
  std::int32_t ScreenInsetTop = 0;
  std::int32_t ScreenInsetBottom = 0;
  CDrawString Fonts[12];
  CScoreRanking ScoreRankings[88];
  CScoreRanking TurnRankings[88];
  CScoreRanking TimeRankings[88];
  CCharacterList Characters;
  CCharacterPlayer* Player = nullptr;
  CStageData* CurrentStage = nullptr;
  CSaveFile SaveFile;
  CSaveData Settings;
  CSaveData SaveImage;
  CSaveData KeyConfig;
  SuspendedGameImage SaveImageRecords;
  // Builds the characters of a new or continued run; tests put their own here.
  CharacterMaker MakeCharacter = &CreateCharacter;

  // Pacing, and the millisecond clock it reads; tests put their own clock here.
  CFramePacer Pacer;
  std::uint32_t (*Clock)() = nullptr;

private:
  void ApplyWindowMode(bool keepPlaceIfItFits = false);
  // Reads the floor, the characters and the loose items of the open "save"
  // into the game; false at the first that does not come back.
  bool LoadSuspendedGame();
  // Leaves no run behind: no characters, no player, no floor, and no game
  // in progress.
  void DropSuspendedGame();
};

CGameMain* GetGameMain();

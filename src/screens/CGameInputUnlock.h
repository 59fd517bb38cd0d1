#pragma once
// The progress notice over the title menu: what clearing a dungeon opened
// (a dungeon, new items, a class). A notice of items or of the class leads
// into the notice of the dungeon opened with it; acknowledging writes "save".
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

// 0-5 LEVEL 1-6 open, 6-10 new items after LEVEL 1-5, 11 LEVEL X open,
// 12 the PROPHET class open.
using UnlockNoticeType = std::int32_t;

class CGameInputUnlock : public CGameInput {
public:
  CGameInputUnlock();
  ~CGameInputUnlock() override = default;

  void Begin() override;
  void Close() override;
  void OnCovered() override { Phase = ScreenCovered; }
  void OnChildClosed() override { Phase = ScreenResuming; }
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override {}
  void Update() override;
  void UpdateWidgets() override { NoticeWindow.Update(); }

  // Icons, picture, text and window size for the notice and the phase.
  void ShowNotice();

  static constexpr int IconGroupCount = 5;
  static constexpr int IconCount = 58;
  static constexpr int TextCapacity = 128;

  UnlockNoticeType NoticeType = 0;
  // Groups of 7, 7, 6, 26 and 12 icons; group k is shown by notice 6 + k.
  CWidget ItemIcons[IconCount];
  CWidget ProphetPicture;
  CWidgetWindow NoticeWindow;
  CWidgetWindow OkButton;

  // Gives back the picture Begin acquired (once a run has started).
  void ReleasePictures();

private:
  bool HoldsPictures = false;
  void Acknowledge();
  void Finish();
  void NoticeSize(int& width, int& height) const;
};

CGameInputUnlock* GetGameInputUnlock();

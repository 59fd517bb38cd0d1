#include "screens/TitleScreenKit.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "app/CGameMain.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "screens/CGameInputTitleCharacterSelect.h"
#include "screens/CGameInputTitleStageSelect.h"
#include "screens/CGameInputUnlock.h"

namespace {

constexpr SoundEffectId ChoiceSound = 4, ConfirmSound = 86;

}  // namespace

void StartScreenFade(int from, int to, int step) {
  CEffect* effect = GetScreenEffect();
  effect->FadeValue = from;
  effect->FadeTarget = to;
  effect->FadeStep = step;
  effect->FadeRunning = 1;
}

const ClassSheet ClassSheets[ClassSheetCount] = {
    {137, 210}, {138, 220}, {139, 230}, {140, 240}, {141, 250}, {143, 270}, {144, 280}, {142, 260}, {145, 290},
};

void StartScreenFadeIn() { StartScreenFade(255, 0, -16); }
void StartScreenFadeOut() { StartScreenFade(0, 255, 16); }
bool IsScreenFadeRunning() { return GetScreenEffect()->FadeRunning != 0; }

bool IsOpeningOver(const CGameInput& screen) {
  const CGameInput* below = screen.GetParent();
  return (!below || below->GetPhase() == ScreenCovered) && !IsScreenFadeRunning();
}

void UseDialogFrame(CWidgetWindow& w, PictureId backdrop) { w.SetFrameImages(backdrop, 147, 148, 149, 16, 2, 2, 3, 3); }

void UseCaptionFont(CWidget& w, int font, double scale) {
  CWidget::AllocCaptionFonts(w);
  CWidget::SetCaptionFont(w, &GetGameMain()->Fonts[font], scale);
}

void PlayChoiceSound() { GetSoundManager()->PlaySe(ChoiceSound); }
void PlayConfirmSound() { GetSoundManager()->PlaySe(ConfirmSound); }

void BeginScreenSprites() {
  ResetDrawState();
  ShakeApplies = 1;
}

void ReleaseTitlePictures() {
  GetGameInputTitleCharacterSelect()->ReleasePictures();
  GetGameInputTitleStageSelect()->ReleasePictures();
  GetGameInputUnlock()->ReleasePictures();
  ReturnFreedMemory();
}

std::size_t FormatTextCut(char* dest, std::size_t capacity, const char* format, ...) {
  if (capacity == 0) return 0;
  va_list args;
  va_start(args, format);
  const int written = std::vsnprintf(dest, capacity, format, args);
  va_end(args);
  if (written < 0) {
    dest[0] = '\0';
    return 0;
  }
  if (static_cast<std::size_t>(written) < capacity) return static_cast<std::size_t>(written);

  // vsnprintf cut at a byte; a lead byte left without its trail byte would
  // swallow the terminator as the glyph decoder reads it.
  const std::size_t length = std::strlen(dest);
  std::size_t kept = 0;
  while (kept < length) {
    const std::size_t step = static_cast<unsigned char>(dest[kept]) >= 0x80 ? 2 : 1;
    if (kept + step > length) break;
    kept += step;
  }
  dest[kept] = '\0';
  return kept;
}

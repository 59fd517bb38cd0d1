#pragma once
// What the title-side screens share: the screen fade, the dialog frame,
// caption fonts, the click sounds and texts formatted into fixed buffers.
#include <cstddef>
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

// The one screen fade: in from black (255 -> 0) or out to black (0 -> 255),
// 16 a frame; the running flag clears 17 effect updates after the start.
void StartScreenFadeIn();
void StartScreenFadeOut();
// Any other fade: from `from` toward `to` by `step` an effect update.
void StartScreenFade(int from, int to, int step);
bool IsScreenFadeRunning();
// An opening screen takes input once the screen beneath it (if any) is
// covered and the fade is idle.
bool IsOpeningOver(const CGameInput& screen);

// The framed panel of every title dialog; the plates pass backdrop 0.
void UseDialogFrame(CWidgetWindow& w, PictureId backdrop = 146);
// One caption entry per state: font `font` of the game object, white.
void UseCaptionFont(CWidget& w, int font, double scale = 1.0);

// The sprite sheet of each class, by PlayerClass 0-8, and the resource it
// is made from; NINJA, KUNOICHI and ELF do not follow the class order.
struct ClassSheet {
  PictureId Picture;
  std::uint16_t Resource;
};
constexpr int ClassSheetCount = 9;
extern const ClassSheet ClassSheets[ClassSheetCount];

// The click of every accepted key, and the confirming chime of a class or
// dungeon.
void PlayChoiceSound();
void PlayConfirmSound();

// Sprite state back to its defaults with the screen shake applied, as every
// title screen sets it around its own widgets.
void BeginScreenSprites();

// Once a run has started: the title's screens give back the pictures they
// acquired, and the memory goes back to the system.
void ReleaseTitlePictures();

// printf into `dest` (capacity bytes, NUL included); a result that does not
// fit is cut after its last whole character (a byte of 0x80 and above leads
// a double-byte character). Returns the bytes kept.
std::size_t FormatTextCut(char* dest, std::size_t capacity, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

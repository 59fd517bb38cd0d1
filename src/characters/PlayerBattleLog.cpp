// The player's battle-log lines, in the second person, written into the
// play screen's message window. An action's opening line starts a new
// message; what follows from it in the same turn is appended.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "items/CItem.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"
#include "ui/TextCopy.h"

namespace {

constexpr std::size_t LineSize = 128;

enum class Window { Show, Add };

void Post(Window window, const char* line) {
  CGameInputMain* screen = GetGameInputMain();
  if (window == Window::Show)
    screen->ShowMessage(line);
  else
    screen->AddMessage(line);
}

void PostText(Window window, TextId id) { Post(window, GetCurrentLanguageText(id)); }

// Posts the text with its one placeholder (%s or %d) replaced by `value`.
// The text is never handed to printf; the line is cut at the last whole
// character that fits, and "%%" shows one '%'.
void PostFilled(Window window, TextId id, const char* value) {
  const char* text = GetCurrentLanguageText(id);
  char line[LineSize] = {};
  std::size_t length = 0;
  bool cut = false;
  // Nothing follows a piece that had to be cut.
  auto append = [&](const char* piece, std::size_t count) {
    if (cut) return;
    const std::size_t copied = CopyTextCutN(line + length, LineSize - length, piece, count);
    length += copied;
    cut = copied < std::strlen(piece) && copied < count;
  };
  bool filled = false;
  for (const char* p = text; *p;) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte >= 0x80 && p[1]) {  // a double-byte character is never a '%'
      append(p, 2);
      p += 2;
    } else if (byte == '%' && p[1] == '%') {
      append(p, 1);
      p += 2;
    } else if (byte == '%' && !filled && (p[1] == 's' || p[1] == 'd')) {
      append(value, std::strlen(value));
      filled = true;
      p += 2;
    } else {
      append(p, 1);
      p += 1;
    }
  }
  Post(window, line);
}

void PostNumber(Window window, TextId id, std::int64_t number) {
  char digits[24];
  std::snprintf(digits, sizeof digits, "%" PRId64, number);
  PostFilled(window, id, digits);
}

void PostName(Window window, TextId id, const CCharacter& character) {
  char name[LineSize] = {};
  character.GetName(name, sizeof name);
  PostFilled(window, id, name);
}

}  // namespace

void CCharacterPlayer::OnAttack() {
  // English says "YOU"; Japanese names the class.
  if (GetGameMain()->Settings.Block.Language == LanguageEnglish)
    PostText(Window::Show, 619);
  else
    PostName(Window::Show, 620, *this);
}

void CCharacterPlayer::OnShoot() { PostText(Window::Show, 624); }
void CCharacterPlayer::OnDamaged(int damage) { PostNumber(Window::Add, 623, damage); }
void CCharacterPlayer::OnParry() { PostName(Window::Add, 662, *this); }
void CCharacterPlayer::OnCritical() { PostText(Window::Add, 626); }
void CCharacterPlayer::OnMiss() { PostText(Window::Add, 631); }
void CCharacterPlayer::OnDefeated() { PostText(Window::Add, 628); }
void CCharacterPlayer::OnGainExp(std::int64_t amount) { PostNumber(Window::Add, 630, amount); }
void CCharacterPlayer::OnLevelUp() { PostText(Window::Add, 635); }
void CCharacterPlayer::OnAvoidTrap(int) { PostText(Window::Add, 633); }

void CCharacterPlayer::OnThrow() {
  char name[ItemTextSize] = {};
  if (const CItem* item = GetItem(GetSelectedItem())) item->GetDisplayName(name, sizeof name);
  PostFilled(Window::Show, 636, name);
}

void CCharacterPlayer::OnResist() { PostText(Window::Add, 670); }
void CCharacterPlayer::OnResistDeath() { PostText(Window::Add, 698); }
void CCharacterPlayer::OnQuick() { PostText(Window::Add, 672); }
void CCharacterPlayer::OnSlow() { PostText(Window::Add, 674); }
void CCharacterPlayer::OnSleep() { PostText(Window::Add, 676); }
void CCharacterPlayer::OnConfuse() { PostText(Window::Add, 678); }
void CCharacterPlayer::OnPoison() { PostText(Window::Add, 680); }
void CCharacterPlayer::OnParalyze() { PostText(Window::Add, 682); }
void CCharacterPlayer::OnWeaken() { PostText(Window::Add, 686); }
void CCharacterPlayer::OnCure() { PostText(Window::Show, 706); }
void CCharacterPlayer::OnEffectEnd() { PostText(Window::Show, 708); }

#include "ui/CGameInputLifebar.h"

#include <algorithm>
#include <cstdio>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "platform/Renderer.h"

namespace {

constexpr int LineFont = 11;
constexpr int FullFill = 26;
constexpr int LowPercent = 20, HungryPercent = 10;
constexpr PictureId AtlasPicture = 7, PlainFill = 10;
constexpr std::uint32_t OpaqueYellow = 0xFFFFFF00u, NoColour = 0xFFFFFFFFu;

struct Rgb {
  std::uint32_t R, G, B;
};
constexpr Rgb White{255, 255, 255}, LabelColour{224, 224, 255}, LowHp{255, 128, 128};
constexpr Rgb Red{255, 0, 0}, Yellow{255, 255, 0};

class Line {
public:
  explicit Line(CDrawString& font) : Font(font) { Font.SetUniformScale(4.0); }
  ~Line() {
    Font.SetUniformScale(1.0);
    Font.SetColor(255, 255, 255);
  }
  void Text(int x, const char* text, Rgb colour) {
    Font.SetColor(colour.R, colour.G, colour.B);
    Font.DrawText(text, x, 4, 400, 200, 5);
  }

private:
  CDrawString& Font;
};

// A bar's frame with its fill (`width` source pixels) at (x, 8); a blinking
// fill is plain yellow.
void DrawBar(int x, int width, int fillSourceY, bool yellow) {
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  SpriteDrawState.Colour = NoColour;
  SpriteDrawState.BlendMode = 0;
  DrawSprite(AtlasPicture, x - 8, 8, 160, 20, 30, 7);
  if (width > 0) {
    if (yellow) {
      SpriteDrawState.Colour = OpaqueYellow;
      DrawSprite(PlainFill, x, 16, 0, 0, width, 3);
      SpriteDrawState.Colour = NoColour;
    } else {
      DrawSprite(AtlasPicture, x, 16, 160, fillSourceY, width, 3);
    }
  }
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 1.0f;
}

}  // namespace

int CGameInputLifebar::HpFillWidth(int hp, int maxHp) {
  if (maxHp <= 0) return 0;
  return static_cast<int>(std::clamp<long long>(static_cast<long long>(hp) * FullFill / maxHp, 0, FullFill));
}

int CGameInputLifebar::HungerFillWidth(int hunger) { return std::clamp(hunger * FullFill / 100, 0, FullFill); }

int CGameInputLifebar::HungerPercent(int satiety) {
  return static_cast<int>((static_cast<long long>(satiety) * 100 + 1999) / 2000);
}

void CGameInputLifebar::DrawSplitLabels() {
  CGameMain* game = GetGameMain();
  const CCharacterPlayer* player = game->Player;
  const int c = game->GetScreenWidth() / 2;
  const bool blinkOn = game->FrameCount % 40 < 20;
  char text[32];
  Line line(game->Fonts[LineFont]);

  std::snprintf(text, sizeof text, "%3d", static_cast<int>(game->Settings.Block.FloorNumber));
  line.Text(8, text, White);
  line.Text(8, "   F", LabelColour);
  if (!player) return;

  std::snprintf(text, sizeof text, "%d", player->level);
  line.Text(c - 448, text, White);
  line.Text(c - 500, "LV", LabelColour);

  const int hp = player->hp, maxHp = player->GetMaxHP();
  // Without a maximum there is no share of it: the numbers blink.
  const long long percent = maxHp > 0 ? static_cast<long long>(hp) * 100 / maxHp : 0;
  const bool hpLow = percent <= LowPercent && blinkOn;
  std::snprintf(text, sizeof text, "%3d/%3d", hp, maxHp);
  line.Text(c - 240, text, hpLow ? LowHp : White);
  line.Text(c - 320, "HP", LabelColour);
  DrawBar(c, HpFillWidth(hp, maxHp), 30, hpLow);

  const int hunger = HungerPercent(player->satiety);
  std::snprintf(text, sizeof text, "%3d/%3d", hunger, 100);
  const Rgb hungerColour = hunger <= 0 ? (blinkOn ? Red : Yellow) : hunger <= HungryPercent ? Yellow : White;
  line.Text(c + 272, text, hungerColour);
  line.Text(c + 160, "HNG", LabelColour);
  DrawBar(c + 512, HungerFillWidth(hunger), 33, hunger <= HungryPercent && blinkOn);
}

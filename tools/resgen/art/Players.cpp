// The nine classes: their sheets (body only: the weapon is the companions'
// sheet), their weapons in hand and in flight, and their portraits.
#include <cmath>
#include <string>

#include "art/Effects.h"
#include "art/Figures.h"
#include "art/Humanoid.h"

namespace {

// The classes in `PlayerClass` order.
HumanoidLook ClassLook(int playerClass) {
  HumanoidLook l;
  switch (playerClass) {
    case 0:  // Fighter: red tunic, brown hair, a headband
      l.Body = Rgb(196, 52, 48), l.Legs = Rgb(110, 80, 60), l.Hair = Rgb(120, 70, 36), l.HatKind = Hat::Bandana,
      l.HatColour = Rgb(240, 220, 200);
      break;
    case 1:  // Hunter: green with a feathered cap
      l.Body = Rgb(70, 136, 62), l.Legs = Rgb(120, 96, 60), l.Hair = Rgb(150, 100, 50), l.HatKind = Hat::Cap,
      l.HatColour = Rgb(60, 110, 50);
      break;
    case 2:  // Dwarf: short and broad, bearded, helmeted
      l.Size = 0.86, l.Bulk = 1.35, l.Body = Rgb(90, 110, 150), l.Legs = Rgb(100, 76, 56), l.Hair = Rgb(200, 110, 50),
      l.Beard = true, l.HatKind = Hat::Helmet, l.HatColour = Rgb(170, 170, 180);
      break;
    case 3:  // Witch: purple robe and the pointed hat
      l.Body = Rgb(110, 60, 150), l.Robe = true, l.Hair = Rgb(240, 150, 60), l.LongHair = true, l.HatKind = Hat::Pointed,
      l.HatColour = Rgb(70, 40, 100);
      break;
    case 4:  // Valkyrie: blue armour, winged helm, golden hair
      l.Body = Rgb(70, 110, 210), l.Legs = Rgb(190, 190, 210), l.Hair = Rgb(250, 220, 100), l.LongHair = true,
      l.HatKind = Hat::WingedHelm, l.HatColour = Rgb(200, 204, 220), l.Skirt = true;
      break;
    case 5:  // Ninja: indigo, hooded to the eyes
      l.Body = Rgb(50, 50, 90), l.Legs = Rgb(40, 40, 70), l.Hair = Rgb(30, 30, 50), l.HatKind = Hat::Hood,
      l.HatColour = Rgb(44, 44, 80), l.Boots = Rgb(30, 30, 40);
      break;
    case 6:  // Kunoichi: dark violet with a red scarf, long black hair
      l.Body = Rgb(120, 50, 110), l.Legs = Rgb(60, 40, 70), l.Hair = Rgb(30, 24, 40), l.LongHair = true,
      l.HatKind = Hat::Bandana, l.HatColour = Rgb(220, 40, 60);
      break;
    case 7:  // Elf: pale green, fair hair, long ears, a circlet
      l.Body = Rgb(150, 210, 120), l.Legs = Rgb(110, 150, 90), l.Hair = Rgb(250, 236, 160), l.LongHair = true,
      l.HeadKind = Head::Goblin, l.HatKind = Hat::Circlet;
      break;
    default:  // Prophet: a white hooded robe with gold
      l.Body = Rgb(236, 234, 240), l.Robe = true, l.Hair = Rgb(200, 200, 210), l.HatKind = Hat::Hood,
      l.HatColour = Rgb(240, 238, 246), l.Trim = Rgb(240, 196, 60);
      break;
  }
  return l;
}

HumanoidPose PlayerPoseOf(PlayerPose pose, const Facing& f) {
  HumanoidPose p;
  const int side = f.Row == 0 ? -1 : 1;
  auto reach = [&](double x, double y, double ax, double ay, double lunge = 0) {
    p.ReachX = x, p.ReachY = y, p.AimX = ax, p.AimY = ay, p.Lunge = lunge;
  };
  switch (pose) {
    case PlayerPose::Stand: break;
    case PlayerPose::WalkA: p.Step = 1; break;
    case PlayerPose::WalkB: p.Step = 2; break;
    case PlayerPose::SwingWindup: reach(-f.X * 2 + side * 1.5, -4, -f.X * 0.5 + side * 0.4, -1, -0.5); break;
    case PlayerPose::SwingStrike: reach(f.X * 4 + side * 0.5, f.Y * 3 + 1, f.X + side * 0.25, f.Y + 0.1, 2); break;
    case PlayerPose::SwingFollow: reach(f.X * 3 - side, f.Y * 2 + 3, f.X * 0.6 - side * 0.5, f.Y * 0.6 + 0.8, 1); break;
    case PlayerPose::ThrustWindup: reach(-f.X * 2, -f.Y + 1, f.X, f.Y, -1); break;
    case PlayerPose::Thrust: reach(f.X * 6, f.Y * 4 + 1, f.X, f.Y, 3); break;
    case PlayerPose::ThrustFollow: reach(f.X * 4, f.Y * 3 + 1, f.X, f.Y, 2); break;
    case PlayerPose::OverheadWindup: reach(side * 0.5 - f.X, -6, -f.X * 0.3, -1, -0.5); break;
    case PlayerPose::OverheadStrike: reach(f.X * 4, f.Y * 3, f.X * 0.9, f.Y * 0.9 + 0.4, 2); break;
    case PlayerPose::OverheadFollow: reach(f.X * 3, f.Y * 2 + 3, f.X * 0.5, f.Y * 0.5 + 1, 1); break;
    case PlayerPose::BowDraw: reach(f.X * 3 + side * 0.5, f.Y * 2, f.X, f.Y); break;
    case PlayerPose::BowRelease: reach(f.X * 3.5 + side * 0.5, f.Y * 2.5, f.X, f.Y, -0.5); break;
    case PlayerPose::Guard: p.Crouch = true, p.BothArmsUp = true, reach(f.X * 3, 1, 0.3, -1); break;
    case PlayerPose::Hurt: p.Recoil = 2, p.Hurt = true, reach(-side, 2, 0, 1); break;
    case PlayerPose::RaiseItem: p.BothArmsUp = true, p.Glow = 0.5, p.GlowColour = Rgb(180, 230, 255), reach(side * 2, -6, 0, -1); break;
    case PlayerPose::Zap: p.Glow = 0.7, p.GlowColour = Rgb(255, 240, 140), reach(f.X * 4 + side, f.Y * 3, f.X, f.Y, 1); break;
    case PlayerPose::PunchWindup: reach(-f.X * 1.5 + side, -1, f.X, f.Y, -0.5); break;
    case PlayerPose::Punch: reach(f.X * 5, f.Y * 3 + 1, f.X, f.Y, 2.5); break;
    case PlayerPose::PunchFollow: reach(f.X * 3, f.Y * 2 + 2, f.X, f.Y, 1); break;
    case PlayerPose::Goal: p.BothArmsUp = true, p.Glow = 1, p.GlowColour = Rgb(255, 240, 140), reach(side * 2, -7, 0, -1); break;
  }
  return p;
}

void DrawPlayer(CCanvas& c, int playerClass, const HumanoidPose& pose, const Facing& f) {
  HumanoidLook look = ClassLook(playerClass);
  c.FillEllipse(20 + f.X * (pose.Lunge - pose.Recoil), 30, 6 * look.Size * look.Bulk, 2, Rgb(0, 0, 0, 70));
  DrawHumanoid(c, look, pose, f);
}

// The pose facing left: the sheet's own rows face right, so a mirrored
// frame stands for the other side.
CCanvas Mirror(const CCanvas& c) { return c.Mirrored(); }

void PaintClassSheet(CCanvas& sheet, int playerClass) {
  for (const PlayerCell& cell : PlayerCells())
    for (int facing = 0; facing < 5; ++facing) {
      CCanvas sprite(40, 40);
      const Facing f = Facing::OfRow(facing);
      DrawPlayer(sprite, playerClass, PlayerPoseOf(cell.Pose, f), f);
      sheet.Draw(sprite, 0, 0, 40, 40, cell.X - 20, cell.Y - 20 + 80 * facing, true);
    }
  // The selection poses along y 400: a turn all the way round, a crouch,
  // a jump and the cheer that stays.
  static const int turn[8] = {0, 1, 2, 3, 4, 3, 2, 1};
  for (int i = 0; i < 11; ++i) {
    CCanvas sprite(40, 40);
    HumanoidPose p;
    Facing f = Facing::OfRow(i < 8 ? turn[i] : 0);
    if (i == 8) p.Crouch = true;
    if (i == 9) p.Bob = -4, p.BothArmsUp = true;
    if (i == 10) p.BothArmsUp = true, p.Glow = 0.4, p.GlowColour = Rgb(255, 240, 160);
    DrawPlayer(sprite, playerClass, p, f);
    sheet.Draw(i >= 5 && i < 8 ? Mirror(sprite) : sprite, 0, 0, 40, 40, 40 * i, 400, true);
  }
  if (playerClass == 4) {
    // The Valkyrie's wide poses: wings spread across two cells.
    for (int i = 0; i < 2; ++i) {
      CCanvas wide(80, 40);
      HumanoidLook look = ClassLook(4);
      look.Wings = true;
      look.WingColour = Rgb(250, 250, 255);
      HumanoidPose p;
      p.ShiftX = 20;
      p.BothArmsUp = i == 1;
      p.Bob = i == 0 ? -2 : 0;
      DrawHumanoid(wide, look, p, Facing::OfRow(0));
      sheet.Draw(wide, 0, 0, 80, 40, 360 + 80 * i, 400, true);
    }
  }
  // Record 220, a small 30 x 30 picture, stands in each facing's rows at
  // (420, 30 x row), partly across other frames' cells: the hero's bust
  // fills only what lies outside them.
  {
    const CCanvas bust = DrawPlayerFrame(playerClass, PlayerPose::Stand, 0);
    auto inFrame = [](int x, int y) {
      for (const PlayerCell& cell : PlayerCells())
        for (int facing = 0; facing < 5; ++facing) {
          const int left = cell.X - 20, top = cell.Y - 20 + 80 * facing;
          if (x >= left && x < left + 40 && y >= top && y < top + 40) return true;
        }
      return false;
    };
    for (const int row : {0, 2, 4, 6, 8})
      for (int j = 0; j < 30; ++j)
        for (int i = 0; i < 30; ++i)
          if (!inFrame(420 + i, 30 * row + j)) sheet.Put(420 + i, 30 * row + j, bust.Get(5 + i, 4 + j));
  }
  // Meeting the princess, seen from behind: a start, a leap, a cheer.
  for (int i = 0; i < 6; ++i) {
    CCanvas sprite(40, 40);
    HumanoidPose p;
    if (i == 1 || i == 4) p.BothArmsUp = true;
    if (i == 2) p.Bob = -3, p.BothArmsUp = true;
    if (i == 5) p.Glow = 0.6, p.GlowColour = Rgb(255, 150, 190), p.BothArmsUp = true;
    DrawPlayer(sprite, playerClass, p, Facing::OfRow(4));
    sheet.Draw(sprite, 0, 0, 40, 40, 40 * i, 470, true);
  }
}

// ---- weapons in hand -----------------------------------------------------

HumanoidLook WeaponLook(const char* weapon) {
  HumanoidLook l = ClassLook(0);
  const std::string w = weapon;
  if (w == "shortsword") l.HeldKind = Held::Sword, l.HeldScale = 0.85;
  else if (w == "axe") l.HeldKind = Held::Axe;
  else if (w == "claw") l.HeldKind = Held::Claws, l.HeldScale = 1.3;
  else if (w == "katana") l.HeldKind = Held::Katana;
  else if (w == "kunai") l.HeldKind = Held::Sword, l.HeldScale = 0.55, l.HeldColour = Rgb(110, 116, 130);
  else if (w == "broadsword") l.HeldKind = Held::Sword, l.HeldScale = 1.6;
  else if (w == "spear") l.HeldKind = Held::Spear, l.HeldScale = 1.3;
  else if (w == "bow") l.HeldKind = Held::Bow;
  else if (w == "staff") l.HeldKind = Held::Staff, l.HeldColour = Rgb(140, 200, 255);
  return l;
}

void PaintOverlay(CCanvas& sheet, const OverlayCell& o) {
  for (int facing = 0; facing < 5; ++facing) {
    const Facing f = Facing::OfRow(facing);
    CCanvas cell(o.Cell, o.Cell);
    HumanoidPose pose = PlayerPoseOf(o.Pose, f);
    pose.ShiftX = pose.ShiftY = (o.Cell - 40) / 2.0;
    const HumanoidLook look = WeaponLook(o.Weapon);
    if (std::string(o.Weapon) == "arrow") {
      // The nocked arrow lies along the aim, its head past the bow.
      CCanvas tmp(o.Cell, o.Cell);
      HumanoidLook bow = look;
      bow.HeldKind = Held::Spear;
      bow.HeldScale = 0.55;
      bow.HeldColour = Rgb(220, 220, 230);
      DrawHeld(tmp, bow, pose, f, false);
      cell.Draw(tmp, 0, 0);
    } else {
      DrawHeld(cell, look, pose, f, o.Trail);
    }
    if (!o.Trail) cell.Outline(Rgb(22, 16, 28));
    sheet.Draw(cell, 0, 0, o.Cell, o.Cell, o.X - o.Cell / 2, o.Y - o.Cell / 2 + o.Cell * facing, true);
  }
}

}  // namespace

bool IsPlayerResource(int resource) {
  for (const PlayerClassSheet& p : PlayerClasses())
    if (p.Resource == resource) return true;
  return false;
}

CCanvas DrawPlayerSheet(int resource) {
  CCanvas sheet(512, 512);
  int playerClass = 0;
  for (std::size_t i = 0; i < PlayerClasses().size(); ++i)
    if (PlayerClasses()[i].Resource == resource) playerClass = static_cast<int>(i);
  PaintClassSheet(sheet, playerClass);
  return sheet;
}

CCanvas DrawPlayerFrame(int playerClass, PlayerPose pose, int row) {
  CCanvas sprite(40, 40);
  const Facing f = Facing::OfRow(row);
  DrawPlayer(sprite, playerClass, PlayerPoseOf(pose, f), f);
  return sprite;
}

bool IsWeaponResource(int resource) { return resource >= 201 && resource <= 204; }

CCanvas DrawWeaponSheet(int resource) {
  CCanvas sheet(512, 512);
  for (const OverlayCell& o : OverlayCells())
    if (ResourceOfPicture(o.Picture) == resource) PaintOverlay(sheet, o);
  PaintWeaponEffects(sheet, 132 + (resource - 200));
  return sheet;
}

void PaintPortrait(CCanvas& c, int x, int y, int playerClass) {
  // Drawn at half size and doubled, as chunky as the sprites beside it.
  CCanvas p(60, 60);
  const HumanoidLook l = ClassLook(playerClass);
  const Rgba back = Mix(l.Body, Rgb(30, 30, 50), 0.65);
  for (int j = 0; j < 60; ++j)
    for (int i = 0; i < 60; ++i) p.Put(i, j, Mix(back, Rgb(10, 10, 20), j / 90.0));
  const Ramp skin(l.Skin), hair(l.Hair), body(l.Body), hat(l.HatColour);
  // Shoulders and chest.
  p.ShadedEllipse(30, 60, 24, 17, body);
  p.FillRect(27, 44, 6, 4, skin.Base);
  p.FillPolygon({{22.0, 46.0}, {38.0, 46.0}, {30.0, 54.0}}, l.Trim);
  // Long hair falls behind the shoulders on both sides of the face.
  if (l.LongHair) {
    p.FillRect(16, 22, 6, 24, hair.Base), p.FillRect(38, 22, 6, 24, hair.Base);
    p.FillRect(16, 44, 6, 2, hair.Dark), p.FillRect(38, 44, 6, 2, hair.Dark);
  }
  p.ShadedEllipse(30, 28, 12, 13, skin);
  if (l.HeadKind == Head::Goblin)
    for (const double k : {-1.0, 1.0}) p.FillPolygon({{30 + k * 11, 26.0}, {30 + k * 19, 20.0}, {30 + k * 11, 31.0}}, skin.Base);
  // Eyes with a light in them, brows, a mouth.
  auto face = [&](bool mouth) {
    for (const double k : {-1.0, 1.0}) {
      p.FillRect(static_cast<int>(30 + k * 5 - 1.5), 27, 4, 4, Rgb(250, 250, 250));
      p.FillRect(static_cast<int>(30 + k * 5 - 0.5), 28, 2, 3, Mix(l.Body, Rgb(20, 20, 40), 0.5));
      p.Put(static_cast<int>(30 + k * 5), 28, Rgb(255, 255, 255));
      p.FillRect(static_cast<int>(30 + k * 5 - 1.5), 25, 4, 1, hair.Dark);
    }
    if (mouth) p.FillRect(28, 35, 4, 1, Shade(l.Skin, -0.45));
  };
  face(true);
  if (l.Beard) p.FillEllipse(30, 38, 10, 7, hair.Light), p.FillRect(27, 35, 6, 1, Shade(l.Skin, -0.45));
  // Hair or headgear on top.
  switch (l.HatKind) {
    case Hat::Pointed:
      p.FillEllipse(30, 18, 20, 3, hat.Dark);
      p.FillPolygon({{18.0, 18.0}, {42.0, 18.0}, {36.0, 0.0}}, hat.Base);
      p.FillRect(20, 15, 20, 2, l.Trim);
      break;
    case Hat::Hood:
      p.FillEllipse(30, 22, 15, 11, hat.Base);
      p.FillEllipse(30, 30, 10.5, 10, skin.Base);
      p.FillPolygon({{14.0, 30.0}, {20.0, 30.0}, {18.0, 50.0}, {10.0, 52.0}}, hat.Dark);
      p.FillPolygon({{46.0, 30.0}, {40.0, 30.0}, {42.0, 50.0}, {50.0, 52.0}}, hat.Dark);
      face(playerClass != 5);
      if (playerClass == 5) p.FillRect(19, 33, 22, 9, hat.Base);  // the ninja's mask
      break;
    case Hat::WingedHelm:
    case Hat::Helmet:
      p.ShadedEllipse(30, 19, 13, 9, hat);
      p.FillRect(17, 21, 26, 2, hat.Light);
      if (l.HatKind == Hat::WingedHelm)
        for (const double k : {-1.0, 1.0}) p.FillPolygon({{30 + k * 12, 18.0}, {30 + k * 24, 8.0}, {30 + k * 14, 22.0}}, Rgb(250, 250, 255));
      break;
    default:
      p.FillEllipse(30, 20, 13, 8, hair.Base);
      p.FillPolygon({{18.0, 22.0}, {24.0, 18.0}, {23.0, 25.0}}, hair.Base);
      p.FillPolygon({{42.0, 22.0}, {36.0, 18.0}, {37.0, 25.0}}, hair.Base);
      if (l.HatKind == Hat::Bandana) p.FillRect(18, 21, 24, 3, hat.Base);
      if (l.HatKind == Hat::Cap) p.FillEllipse(30, 18, 14, 6, hat.Base), p.ThickLine(40, 16, 50, 4, 2, Rgb(230, 70, 60));
      if (l.HatKind == Hat::Circlet) p.FillRect(19, 21, 22, 1, l.Trim), p.FillRect(29, 20, 2, 2, Rgb(120, 220, 255));
      break;
  }
  p.Outline(Rgb(20, 16, 28));
  p.FrameRect(0, 0, 60, 60, Rgb(240, 220, 160));
  for (int j = 0; j < 120; ++j)
    for (int i = 0; i < 120; ++i) c.Put(x + i, y + j, p.Get(i / 2, j / 2));
}

#pragma once
// Figures that stand on two legs, drawn from parts into a 40 x 40 cell:
// legs, body, arms, head, headgear and what they hold. Every facing row
// turns the figure (face, profile, back) and every pose moves its limbs,
// so that a player can tell which way it faces and what it is doing.
#include "art/Canvas.h"

// A screen direction for sheet rows 0-4: down, down-right, right,
// up-right, up.
struct Facing {
  int Row = 0;
  double X = 0, Y = 1;
  static Facing OfRow(int row);
  bool Front() const { return Row <= 1; }
  bool Back() const { return Row >= 3; }
  bool Side() const { return Row == 2; }
};

enum class Head { Human, Skull, Bull, Dog, Wolf, Fish, Cyclops, Hood, Demon, Helm, Gorgon, Goblin, Stone };
enum class Hat { None, Pointed, Hood, WingedHelm, Helmet, Horns, Crest, Bandana, Cap, Circlet, Halo };
enum class Held { None, Club, Axe, Sword, Katana, Spear, Trident, Staff, Scythe, Bow, Claws, Flask, Shield };

struct HumanoidLook {
  Rgba Skin = Rgb(236, 196, 160), Hair = Rgb(110, 70, 40), Body = Rgb(60, 100, 180), Legs = Rgb(80, 70, 60);
  Rgba Boots = Rgb(90, 60, 40), Trim = Rgb(230, 196, 80), Eyes = Rgb(30, 24, 30), HatColour = Rgb(90, 60, 130);
  Rgba HeldColour = Rgb(200, 204, 214);
  Head HeadKind = Head::Human;
  Hat HatKind = Hat::None;
  Held HeldKind = Held::None;
  double Size = 1.0;    // 1 stands about 19 pixels tall
  double Bulk = 1.0;    // width of the body
  bool Robe = false;    // a long robe in place of legs
  bool Beard = false;
  bool Wings = false;
  Rgba WingColour = Rgb(80, 60, 90);
  bool Tail = false;
  bool Cape = false;
  Rgba CapeColour = Rgb(150, 30, 40);
  bool LongHair = false;
  bool Skirt = false;
  bool Hunched = false;
  bool Floating = false;  // no legs drawn: the robe ends in wisps
  bool GlowEyes = false;
  double HeldScale = 1.0;  // length of what is held
};

// What the limbs do.
struct HumanoidPose {
  int Step = 0;          // 0 standing, 1 and 2 the two walking steps
  double Lunge = 0;      // body moved along the facing, pixels
  double Bob = 0;        // up (negative) or down
  // The weapon hand and where the weapon points, as screen directions.
  double ReachX = 0, ReachY = 0;  // hand offset from the shoulder
  double AimX = 0.4, AimY = -1;   // direction from hand to weapon tip
  bool BothArmsUp = false;
  bool Crouch = false;
  double Recoil = 0;     // thrown back against the facing
  bool Hurt = false;     // flinching: flashed, eyes shut
  bool Fallen = false;   // lying down
  double Glow = 0;       // a spell's light in the hands, 0..1
  Rgba GlowColour = Rgb(255, 220, 120);
  bool HeldHidden = false;
  // Where the cell's centre lies, for cells larger than 40 x 40.
  double ShiftX = 0, ShiftY = 0;
};

// Draws the figure centred on (20, 20) of a 40 x 40 canvas, standing on
// the cell's lower part, then outlines it.
void DrawHumanoid(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f);
// The weapon alone in the hand of that pose (the player's overlays); `trail`
// draws the swing's arc instead.
void DrawHeld(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f, bool trail);
// A weapon of `look` held at (hx, hy) and pointing along (aimX, aimY),
// `scale` times its usual length.
void DrawWeapon(CCanvas& c, const HumanoidLook& look, double hx, double hy, double aimX, double aimY, double scale, bool trail);

#include "art/Humanoid.h"

#include <cmath>

namespace {

constexpr double Pi = 3.14159265358979;

struct Frame {
  double Cx, Base, S;
  double HipY, ShoulderY, HeadY, HeadR, TorsoW;
  int Side;  // screen side of the weapon hand: -1 left, +1 right
  double MainShoulderX, OffShoulderX, ShoulderRowY;
  double HandX, HandY;
};

Frame Measure(const HumanoidLook& look, const HumanoidPose& pose, const Facing& f) {
  Frame m{};
  m.S = look.Size;
  const double push = pose.Lunge - pose.Recoil;
  m.Cx = 20 + pose.ShiftX + f.X * push;
  m.Base = (look.Floating ? 27.0 : 29.0) + pose.ShiftY + pose.Bob + f.Y * push * 0.5 + (look.Size > 1.2 ? 2 : 0);
  const double legLen = (pose.Crouch ? 3.0 : 5.0) * m.S;
  const double torsoH = (look.Hunched ? 5.0 : 6.0) * m.S;
  m.HeadR = (look.HeadKind == Head::Bull ? 4.8 : look.HeadKind == Head::Skull ? 4.1 : 4.4) * std::min(m.S, 1.25);
  const double turn = f.Side() ? 0.72 : f.Row == 1 || f.Row == 3 ? 0.86 : 1.0;
  m.TorsoW = 7.0 * m.S * look.Bulk * turn;
  m.HipY = m.Base - legLen;
  m.ShoulderY = m.HipY - torsoH;
  m.HeadY = m.ShoulderY - m.HeadR + 1.2 * m.S + (look.Hunched ? 1.5 : 0);
  if (look.Hunched) m.Cx += f.X * 1.0;
  m.Side = f.Row == 0 ? -1 : 1;
  m.MainShoulderX = m.Cx + m.Side * (m.TorsoW / 2 - 0.3);
  m.OffShoulderX = m.Cx - m.Side * (m.TorsoW / 2 - 0.3);
  if (f.Side()) m.MainShoulderX = m.Cx + 0.5, m.OffShoulderX = m.Cx - 0.5;
  m.ShoulderRowY = m.ShoulderY + 1.3 * m.S;
  const bool hanging = pose.ReachX == 0 && pose.ReachY == 0;
  m.HandX = m.MainShoulderX + (hanging ? 0.6 * m.Side : pose.ReachX);
  m.HandY = m.ShoulderRowY + (hanging ? 5.0 * m.S + (pose.Step == 1 ? 1 : pose.Step == 2 ? -1 : 0) : pose.ReachY);
  return m;
}

void Limb(CCanvas& c, double x0, double y0, double x1, double y1, double width, const Ramp& r) {
  c.ThickLine(x0, y0, x1, y1, width, r.Base);
  c.ThickLine(x0 - 0.5, y0, x1 - 0.5, y1, std::max(0.8, width - 1.4), r.Light);
}

void Legs(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f, const Frame& m) {
  const Ramp legs(look.Legs), boots(look.Boots);
  if (look.Robe || look.Floating) {
    const double top = m.ShoulderY + 2, bottom = m.Base - (look.Floating ? 2 : 0);
    const double w0 = m.TorsoW / 2, w1 = m.TorsoW / 2 + 2.2 * m.S;
    // The hem swings with each step.
    const double sway = pose.Step == 1 ? -1.5 : pose.Step == 2 ? 1.5 : 0;
    const Ramp robe(look.Body);
    c.FillPolygon({{m.Cx - w0, top}, {m.Cx + w0, top}, {m.Cx + w1 + sway, bottom}, {m.Cx - w1 + sway, bottom}}, robe.Base);
    c.FillPolygon({{m.Cx - w0, top}, {m.Cx - w0 + 1.5, top}, {m.Cx - w1 + 2 + sway, bottom}, {m.Cx - w1 + sway, bottom}}, robe.Light);
    c.FillPolygon({{m.Cx + w0 - 1.5, top}, {m.Cx + w0, top}, {m.Cx + w1 + sway, bottom}, {m.Cx + w1 - 2 + sway, bottom}}, robe.Dark);
    c.FillRect(static_cast<int>(m.Cx - w1 + sway), static_cast<int>(bottom) - 1, static_cast<int>(2 * w1) + 1, 1, look.Trim);
    if (look.Floating) {  // the robe frays into wisps
      for (int i = 0; i < 3; ++i) {
        const double x = m.Cx - w1 + 1 + i * (w1 - 0.5);
        c.FillPolygon({{x - 1.5, bottom}, {x + 1.5, bottom}, {x + (pose.Step == 1 ? 1 : -1), bottom + 3}}, robe.Dark);
      }
    } else if (pose.Step != 0) {  // a foot steps out under the hem
      const double fx = m.Cx + (pose.Step == 1 ? -1 : 1) * 2 * m.S + f.X * 1.5;
      c.FillRect(static_cast<int>(fx - 1), static_cast<int>(bottom) - 1, 3, 2, boots.Base);
    }
    return;
  }
  const double w = 2.3 * m.S * std::max(0.9, look.Bulk * 0.9);
  if (f.Side()) {
    // In profile the legs part front and back as it walks.
    const double spread = pose.Step == 0 ? 0.6 : 2.4 * m.S;
    const double sign = pose.Step == 2 ? -1 : 1;
    for (const double k : {-1.0, 1.0}) {
      const double footX = m.Cx + k * sign * spread, footY = m.Base - (k * sign > 0 && pose.Step ? 0.5 : 0);
      const Ramp& r = k < 0 ? Ramp(Shade(look.Legs, -0.2)) : legs;
      Limb(c, m.Cx, m.HipY, footX, footY - 1.5, w, r);
      c.FillRect(static_cast<int>(footX - 1), static_cast<int>(footY - 1.5), 3, 2, boots.Base);
    }
    return;
  }
  const double sep = 1.7 * m.S * look.Bulk;
  for (const double k : {-1.0, 1.0}) {
    double lift = 0;
    if (pose.Step == 1) lift = k < 0 ? 1.2 : 0;
    if (pose.Step == 2) lift = k > 0 ? 1.2 : 0;
    const double x = m.Cx + k * sep + f.X * (k > 0 ? 0.4 : -0.4);
    Limb(c, x, m.HipY, x, m.Base - 1.5 - lift, w, legs);
    c.FillRect(static_cast<int>(std::floor(x - w / 2)), static_cast<int>(m.Base - 2 - lift), static_cast<int>(std::ceil(w)) + 1, 2,
               f.Back() ? boots.Dark : boots.Base);
  }
}

void Torso(CCanvas& c, const HumanoidLook& look, const Facing& f, const Frame& m) {
  const Ramp body(look.Body);
  const double midY = (m.ShoulderY + m.HipY) / 2;
  c.ShadedEllipse(m.Cx, midY, m.TorsoW / 2 + 0.3, (m.HipY - m.ShoulderY) / 2 + 1.0, body);
  c.FillRect(static_cast<int>(m.Cx - m.TorsoW / 2 + 1), static_cast<int>(m.HipY - 1.5), static_cast<int>(m.TorsoW - 1), 1, look.Trim);
  if (f.Front() && !look.Robe) {
    // A collar or a clasp shows the front.
    c.Put(static_cast<int>(m.Cx + f.X * 1.5), static_cast<int>(m.ShoulderY + 1.5), Shade(look.Trim, 0.3));
  }
}

void Wings(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Frame& m) {
  const Ramp wing(look.WingColour);
  const double flap = pose.Step == 1 ? -2.5 : pose.Step == 2 ? 1.5 : 0;
  for (const double k : {-1.0, 1.0}) {
    const double x = m.Cx + k * m.TorsoW / 2, y = m.ShoulderY + 1;
    c.FillPolygon({{x, y}, {x + k * 9 * m.S, y - 6 * m.S + flap}, {x + k * 7 * m.S, y + 2}, {x + k * 4 * m.S, y + 5}}, wing.Base);
    c.ThickLine(x, y, x + k * 9 * m.S, y - 6 * m.S + flap, 1.2, wing.Light);
  }
}

void Face(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f, const Frame& m) {
  const double hx = m.Cx + f.X * 0.6, hy = m.HeadY + 0.4;
  const Rgba eye = pose.Hurt ? Shade(look.Skin, -0.6) : look.Eyes;
  if (f.Back()) return;
  if (f.Side()) {
    const int ex = static_cast<int>(hx + m.HeadR * 0.45), ey = static_cast<int>(hy);
    if (pose.Hurt) c.FillRect(ex - 1, ey, 2, 1, eye);
    else c.Put(ex, ey, eye), c.Put(ex, ey + 1, eye);
    // The nose points the way.
    c.Put(static_cast<int>(hx + m.HeadR - 0.2), static_cast<int>(hy + 1), Shade(look.Skin, -0.25));
    if (look.GlowEyes) c.Put(ex, ey, look.Eyes);
    return;
  }
  const double shift = f.Row == 1 ? 1.6 : 0.0, gap = (f.Row == 1 ? 1.4 : 1.7) * std::min(m.S, 1.2);
  for (const double k : {-1.0, 1.0}) {
    const int ex = static_cast<int>(std::floor(hx + shift + k * gap)), ey = static_cast<int>(hy);
    if (pose.Hurt) {
      c.Put(ex - 1, ey - 1, eye), c.Put(ex, ey, eye), c.Put(ex - 1, ey + 1, eye);
    } else {
      c.Put(ex, ey, eye);
      c.Put(ex, ey + 1, eye);
      if (m.S > 1.2) c.Put(ex + 1, ey, eye), c.Put(ex + 1, ey + 1, eye);
    }
  }
}

void HeadShape(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f, const Frame& m) {
  const double hx = m.Cx + f.X * 0.6, hy = m.HeadY;
  const double r = m.HeadR;
  const Ramp skin(look.Skin), hair(look.Hair);
  switch (look.HeadKind) {
    case Head::Human:
    case Head::Goblin:
    case Head::Gorgon: {
      c.ShadedEllipse(hx, hy, r, r, skin);
      if (look.HeadKind == Head::Goblin) {
        // Long ears pointing out sideways.
        for (const double k : {-1.0, 1.0}) {
          if (f.Side() && k < 0) continue;
          c.FillPolygon({{hx + k * (r - 1), hy - 1}, {hx + k * (r + 3.5), hy - 3}, {hx + k * (r - 0.5), hy + 1.5}}, skin.Base);
        }
      }
      if (look.HeadKind == Head::Gorgon) {
        // Snakes for hair, writhing.
        for (int i = 0; i < 7; ++i) {
          const double a = Pi * (1.05 + i * 0.15);
          const double x0 = hx + std::cos(a) * r * 0.8, y0 = hy + std::sin(a) * r * 0.8;
          const double x1 = hx + std::cos(a) * (r + 3), y1 = hy + std::sin(a) * (r + 3) + ((i + pose.Step) % 2 ? 1 : -1);
          c.ThickLine(x0, y0, x1, y1, 1.3, i % 2 ? hair.Base : hair.Light);
        }
      } else {
        // Hair: a cap from the front, a mop seen from behind.
        if (f.Back()) {
          c.ShadedEllipse(hx, hy - 0.3, r + 0.2, r, hair);
          // Turned half away, an ear and a cheek still show on the near side.
          if (f.Row == 3) c.FillRect(static_cast<int>(hx + r - 1.5), static_cast<int>(hy), 2, 2, skin.Base);
        } else if (f.Side()) {
          c.FillEllipse(hx - 0.8, hy - 1.2, r * 0.95, r * 0.75, hair.Base);
          c.FillEllipse(hx - r * 0.6, hy, r * 0.5, r * 0.8, hair.Base);
        } else {
          c.FillEllipse(hx, hy - r * 0.45, r + 0.1, r * 0.62, hair.Base);
          c.FillRect(static_cast<int>(hx - r), static_cast<int>(hy - 1), 1, 3, hair.Dark);
          c.FillRect(static_cast<int>(hx + r - 0.5), static_cast<int>(hy - 1), 1, 3, hair.Dark);
        }
        if (look.LongHair && !f.Front()) c.FillRect(static_cast<int>(hx - r * 0.8), static_cast<int>(hy), static_cast<int>(r * 1.4), static_cast<int>(r * 1.6), hair.Base);
        if (look.LongHair && f.Front()) {
          c.FillRect(static_cast<int>(hx - r - 0.5), static_cast<int>(hy), 2, static_cast<int>(r * 1.5), hair.Base);
          c.FillRect(static_cast<int>(hx + r - 1), static_cast<int>(hy), 2, static_cast<int>(r * 1.5), hair.Base);
        }
      }
      if (look.Beard && !f.Back()) c.FillEllipse(hx + f.X * 1.2, hy + r * 0.7, r * (f.Side() ? 0.6 : 0.85), r * 0.6, hair.Light);
      break;
    }
    case Head::Skull:
      c.ShadedEllipse(hx, hy, r, r * 0.95, skin);
      c.FillRect(static_cast<int>(hx - r * 0.6 + f.X), static_cast<int>(hy + r * 0.5), static_cast<int>(r * 1.2), 2, skin.Dark);
      if (!f.Back()) {
        // Hollow eyes, a nose hole and a row of teeth.
        const double shift = f.X * 1.3;
        if (!f.Side()) {
          c.FillRect(static_cast<int>(hx - 2 + shift), static_cast<int>(hy - 0.5), 2, 2, Rgb(20, 16, 24));
          c.FillRect(static_cast<int>(hx + 1 + shift), static_cast<int>(hy - 0.5), 2, 2, Rgb(20, 16, 24));
        } else {
          c.FillRect(static_cast<int>(hx + 1), static_cast<int>(hy - 0.5), 2, 2, Rgb(20, 16, 24));
        }
        c.Put(static_cast<int>(hx + shift), static_cast<int>(hy + 1.5), Rgb(60, 50, 50));
      }
      break;
    case Head::Bull:
    case Head::Dog:
    case Head::Wolf: {
      c.ShadedEllipse(hx, hy, r, r * 0.95, skin);
      // A muzzle pushed out towards the facing; ears or horns on top.
      if (!f.Back()) {
        const double mx = hx + f.X * r * 0.9, my = hy + r * 0.45 + (f.Y > 0 ? 0.5 : -0.5) * (f.Side() ? 0 : 1);
        c.ShadedEllipse(mx, my, r * (f.Side() ? 0.75 : 0.6), r * 0.5, Ramp(Shade(look.Skin, look.HeadKind == Head::Bull ? 0.3 : 0.15)));
        c.Put(static_cast<int>(mx + f.X * r * 0.5), static_cast<int>(my - 0.5), Rgb(30, 20, 20));
      }
      if (look.HeadKind == Head::Bull) {
        for (const double k : {-1.0, 1.0}) {
          const double x = hx + k * r * 0.8;
          c.ThickLine(x, hy - r * 0.6, x + k * 3.5, hy - r * 1.5, 1.6, Rgb(236, 228, 200));
          c.ThickLine(x + k * 3.5, hy - r * 1.5, x + k * 3.0, hy - r * 2.2, 1.0, Rgb(236, 228, 200));
        }
      } else {
        for (const double k : {-1.0, 1.0}) {
          if (f.Side() && k > 0) continue;
          const double x = hx + k * r * 0.55 - (f.Side() ? 1 : 0);
          c.FillPolygon({{x - 1.6, hy - r * 0.5}, {x + 1.6, hy - r * 0.5}, {x + k * 0.5, hy - r - 3}}, skin.Dark);
        }
      }
      break;
    }
    case Head::Fish:
      c.ShadedEllipse(hx, hy, r, r * 1.05, skin);
      c.FillPolygon({{hx - 1, hy - r}, {hx + 1, hy - r - 0.5}, {hx - 0.5, hy - r - 4}, {hx - 2.5, hy - r - 2}}, look.Hair);
      if (!f.Back()) c.Put(static_cast<int>(hx + f.X * r * 0.9), static_cast<int>(hy + r * 0.5), Rgb(40, 60, 70));
      break;
    case Head::Cyclops:
      c.ShadedEllipse(hx, hy, r, r, skin);
      if (!f.Back()) {
        const double ex = hx + f.X * r * 0.5;
        c.FillEllipse(ex, hy, r * 0.55, r * 0.5, Rgb(250, 250, 240));
        c.FillRect(static_cast<int>(ex), static_cast<int>(hy - 0.5), 1, 2, pose.Hurt ? Rgb(200, 40, 40) : Rgb(30, 30, 60));
      }
      break;
    case Head::Hood: {
      const Ramp hood(look.HatColour);
      c.ShadedEllipse(hx, hy, r + 0.6, r + 0.3, hood);
      if (!f.Back()) {
        const double sx = hx + f.X * 1.2;
        c.FillEllipse(sx, hy + 0.8, r * (f.Side() ? 0.45 : 0.7), r * 0.7, Rgb(16, 10, 22));
        const Rgba glow = look.Eyes;
        if (f.Side()) c.Put(static_cast<int>(sx + 0.8), static_cast<int>(hy + 0.6), glow);
        else c.Put(static_cast<int>(sx - 1), static_cast<int>(hy + 0.6), glow), c.Put(static_cast<int>(sx + 1), static_cast<int>(hy + 0.6), glow);
      }
      return;
    }
    case Head::Demon:
      c.ShadedEllipse(hx, hy, r, r, skin);
      for (const double k : {-1.0, 1.0}) c.FillPolygon({{hx + k * (r - 2), hy - r + 1}, {hx + k * (r + 0.5), hy - r - 3.5}, {hx + k * r, hy - r + 2.5}}, Rgb(236, 220, 190));
      break;
    case Head::Helm:
    case Head::Stone: {
      const Ramp metal(look.HatColour);
      c.ShadedEllipse(hx, hy, r + 0.3, r + 0.2, metal);
      if (!f.Back()) {
        // The visor's slit glows.
        const double vx = hx + f.X * 1.2;
        const int w = f.Side() ? 2 : 5;
        c.FillRect(static_cast<int>(vx - (f.Side() ? -0.5 : 2.5)), static_cast<int>(hy), w, 1, look.GlowEyes ? look.Eyes : Rgb(20, 20, 30));
      }
      return;
    }
  }
  Face(c, look, pose, f, m);
}

void HatOn(CCanvas& c, const HumanoidLook& look, const Facing& f, const Frame& m) {
  const double hx = m.Cx + f.X * 0.6, hy = m.HeadY, r = m.HeadR;
  const Ramp hat(look.HatColour);
  switch (look.HatKind) {
    case Hat::None: break;
    case Hat::Pointed:
      c.FillEllipse(hx, hy - r * 0.6, r + 2.5, 1.3, hat.Dark);
      c.FillPolygon({{hx - r * 0.8, hy - r * 0.6}, {hx + r * 0.8, hy - r * 0.6}, {hx - f.X * 2 + 1.5, hy - r - 7}}, hat.Base);
      c.FillRect(static_cast<int>(hx - r * 0.8), static_cast<int>(hy - r * 0.9), static_cast<int>(r * 1.6), 1, look.Trim);
      break;
    case Hat::Hood:
      c.FillEllipse(hx, hy - 0.8, r + 0.6, r * 0.85, hat.Base);
      if (!f.Back()) c.FillEllipse(hx + f.X * 1.5, hy + 0.6, r * (f.Side() ? 0.55 : 0.8), r * 0.65, look.Skin);
      if (f.Back()) c.FillPolygon({{hx - 2, hy + r - 1}, {hx + 2, hy + r - 1}, {hx, hy + r + 3}}, hat.Dark);
      break;
    case Hat::WingedHelm:
    case Hat::Helmet:
      c.FillEllipse(hx, hy - r * 0.35, r + 0.5, r * 0.75, hat.Base);
      c.FillRect(static_cast<int>(hx - r - 0.5), static_cast<int>(hy - 0.8), static_cast<int>(2 * r + 1.5), 1, hat.Light);
      if (look.HatKind == Hat::WingedHelm)
        for (const double k : {-1.0, 1.0}) c.FillPolygon({{hx + k * r, hy - 2}, {hx + k * (r + 4), hy - 5}, {hx + k * (r + 1), hy}}, Rgb(250, 250, 255));
      break;
    case Hat::Horns:
      for (const double k : {-1.0, 1.0}) c.FillPolygon({{hx + k * (r - 2), hy - r + 1}, {hx + k * (r + 1), hy - r - 4}, {hx + k * (r - 0.5), hy - r + 2.5}}, hat.Light);
      break;
    case Hat::Crest:
      c.FillEllipse(hx, hy - r * 0.35, r + 0.5, r * 0.75, hat.Base);
      c.FillPolygon({{hx - 3, hy - r + 0.5}, {hx, hy - r - 2}, {hx + 3, hy - r + 0.5}, {hx + 4.5, hy - r - 3}, {hx - 4.5, hy - r - 3}}, look.Trim);
      break;
    case Hat::Bandana:
      c.FillRect(static_cast<int>(hx - r), static_cast<int>(hy - 1.5), static_cast<int>(2 * r + 1), 2, hat.Base);
      if (!f.Front()) c.FillPolygon({{hx - r * (f.Side() ? 1 : 0.3), hy - 1}, {hx - r - 3.5, hy + 1}, {hx - r - 2.5, hy + 3}}, hat.Base);
      break;
    case Hat::Cap:
      c.FillEllipse(hx, hy - r * 0.5, r + 0.3, r * 0.6, hat.Base);
      c.FillRect(static_cast<int>(hx + f.X * 2 - 1), static_cast<int>(hy - r - 3), 1, 3, Rgb(230, 70, 60));
      break;
    case Hat::Circlet:
      c.FillRect(static_cast<int>(hx - r + 0.5), static_cast<int>(hy - r * 0.55), static_cast<int>(2 * r), 1, look.Trim);
      if (!f.Back()) c.Put(static_cast<int>(hx + f.X * 1.5), static_cast<int>(hy - r * 0.55), Rgb(120, 220, 255));
      break;
    case Hat::Halo:
      c.FillEllipse(hx, hy - r - 1.5, r * 0.9, 1.2, look.Trim);
      c.FillEllipse(hx, hy - r - 1.5, r * 0.5, 0.4, Clear);
      break;
  }
}

void Arm(CCanvas& c, const HumanoidLook& look, double sx, double sy, double hx, double hy, double s) {
  Limb(c, sx, sy, hx, hy, 2.0 * std::min(s, 1.3), Ramp(look.Body));
  c.FillRect(static_cast<int>(std::floor(hx - 0.5)), static_cast<int>(std::floor(hy - 0.5)), 2, 2, look.Skin);
}

double Len(double x, double y) { return std::max(1e-6, std::hypot(x, y)); }

}  // namespace

Facing Facing::OfRow(int row) {
  static const double v[5][2] = {{0, 1}, {0.7071, 0.7071}, {1, 0}, {0.7071, -0.7071}, {0, -1}};
  Facing f;
  f.Row = row < 0 || row > 4 ? 0 : row;
  f.X = v[f.Row][0];
  f.Y = v[f.Row][1];
  return f;
}

void DrawHeld(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f, bool trail) {
  const Frame m = Measure(look, pose, f);
  DrawWeapon(c, look, m.HandX, m.HandY, pose.AimX, pose.AimY, m.S * look.HeldScale, trail);
}

void DrawWeapon(CCanvas& c, const HumanoidLook& look, double hx, double hy, double aimX, double aimY, double s, bool trail) {
  const double l = Len(aimX, aimY), ax = aimX / l, ay = aimY / l;
  const Ramp metal(look.HeldColour);
  const Ramp wood(Rgb(140, 96, 56));
  if (trail) {
    // The arc the blade has just swept, fading behind it.
    const double base = std::atan2(ay, ax);
    for (int i = 1; i <= 7; ++i) {
      const double a = base - i * 0.22, len = 9.5 * s;
      const Rgba t = Rgb(255, 255, 255, 200 - i * 24);
      c.ThickLine(hx + std::cos(a) * len * 0.55, hy + std::sin(a) * len * 0.55, hx + std::cos(a) * len, hy + std::sin(a) * len, 1.4, t);
    }
    return;
  }
  const double px = -ay, py = ax;
  switch (look.HeldKind) {
    case Held::None:
    case Held::Shield: break;
    case Held::Club:
      c.ThickLine(hx - ax, hy - ay, hx + ax * 7 * s, hy + ay * 7 * s, 2.6 * s, wood.Base);
      c.FillEllipse(hx + ax * 7 * s, hy + ay * 7 * s, 1.8 * s, 1.8 * s, look.HeldColour);
      break;
    case Held::Axe: {
      c.ThickLine(hx - ax * 1.5, hy - ay * 1.5, hx + ax * 9 * s, hy + ay * 9 * s, 1.4, wood.Base);
      const double tx = hx + ax * 7.5 * s, ty = hy + ay * 7.5 * s;
      c.FillPolygon({{tx - ax * 2, ty - ay * 2}, {tx + px * 4.5 * s - ax * 2.5, ty + py * 4.5 * s - ay * 2.5},
                     {tx + px * 4.5 * s + ax * 2.5, ty + py * 4.5 * s + ay * 2.5}, {tx + ax * 2, ty + ay * 2}},
                    metal.Base);
      c.ThickLine(tx + px * 4.2 * s - ax * 2.2, ty + py * 4.2 * s - ay * 2.2, tx + px * 4.2 * s + ax * 2.2, ty + py * 4.2 * s + ay * 2.2, 1, metal.Shine);
      break;
    }
    case Held::Sword:
    case Held::Katana: {
      const double len = (look.HeldKind == Held::Katana ? 11 : 9) * s;
      c.ThickLine(hx + ax * 1.5, hy + ay * 1.5, hx + ax * len, hy + ay * len, 1.8, metal.Base);
      c.ThickLine(hx + ax * 1.5, hy + ay * 1.5, hx + ax * (len - 1), hy + ay * (len - 1), 0.8, metal.Shine);
      c.ThickLine(hx + px * 2, hy + py * 2, hx - px * 2, hy - py * 2, 1.2, look.HeldKind == Held::Katana ? Rgb(60, 50, 40) : Rgb(220, 180, 70));
      c.ThickLine(hx, hy, hx - ax * 2, hy - ay * 2, 1.4, Rgb(90, 60, 40));
      break;
    }
    case Held::Spear:
    case Held::Trident: {
      c.ThickLine(hx - ax * 5, hy - ay * 5, hx + ax * 11 * s, hy + ay * 11 * s, 1.3, wood.Base);
      const double tx = hx + ax * 11 * s, ty = hy + ay * 11 * s;
      c.FillPolygon({{tx + ax * 4, ty + ay * 4}, {tx + px * 1.6, ty + py * 1.6}, {tx - px * 1.6, ty - py * 1.6}}, metal.Light);
      if (look.HeldKind == Held::Trident)
        for (const double k : {-1.0, 1.0})
          c.ThickLine(tx + px * 2.5 * k, ty + py * 2.5 * k, tx + px * 2.5 * k + ax * 3, ty + py * 2.5 * k + ay * 3, 1, metal.Light);
      break;
    }
    case Held::Staff:
      c.ThickLine(hx - ax * 6, hy - ay * 6, hx + ax * 8 * s, hy + ay * 8 * s, 1.5, wood.Light);
      c.ShadedEllipse(hx + ax * 9 * s, hy + ay * 9 * s, 1.9, 1.9, Ramp(look.HeldColour));
      break;
    case Held::Scythe: {
      c.ThickLine(hx - ax * 5, hy - ay * 5, hx + ax * 10 * s, hy + ay * 10 * s, 1.3, Rgb(90, 70, 60));
      const double tx = hx + ax * 10 * s, ty = hy + ay * 10 * s;
      for (int i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        const double x = tx + px * 8 * t * s - ax * 3 * t * t, y = ty + py * 8 * t * s - ay * 3 * t * t;
        c.FillEllipse(x, y, 1.1 - t * 0.4, 1.1 - t * 0.4, i % 3 == 0 ? metal.Shine : metal.Base);
      }
      break;
    }
    case Held::Bow: {
      for (int i = -6; i <= 6; ++i) {
        const double t = i / 6.0, bow = (1 - t * t) * 3;
        c.FillEllipse(hx + px * t * 6 + ax * bow, hy + py * t * 6 + ay * bow, 0.8, 0.8, wood.Base);
      }
      c.Line(static_cast<int>(hx + px * 6), static_cast<int>(hy + py * 6), static_cast<int>(hx - px * 6), static_cast<int>(hy - py * 6), Rgb(236, 232, 214));
      break;
    }
    case Held::Claws:
      for (const double k : {-1.0, 0.0, 1.0})
        c.ThickLine(hx + px * k, hy + py * k, hx + ax * 4 * s + px * k * 1.3, hy + ay * 4 * s + py * k * 1.3, 0.9, Rgb(240, 240, 236));
      break;
    case Held::Flask:
      c.FillEllipse(hx + ax * 2, hy + ay * 2, 2, 2, look.HeldColour);
      c.Put(static_cast<int>(hx + ax * 2), static_cast<int>(hy + ay * 2 - 2), Rgb(230, 240, 250));
      break;
  }
}

void DrawHumanoid(CCanvas& c, const HumanoidLook& look, const HumanoidPose& pose, const Facing& f) {
  CCanvas s(c.Width(), c.Height());
  const Frame m = Measure(look, pose, f);
  const bool heldBehind = f.Back();
  // Behind the body: wings, tail, cape (from the front), a weapon held
  // away from the viewer.
  if (look.Wings && !f.Back()) Wings(s, look, pose, m);
  if (look.Tail) {
    const double k = f.Side() ? -1 : f.Front() ? 1 : -1;
    s.ThickLine(m.Cx, m.HipY, m.Cx - f.X * 5 + k * 3, m.HipY + 3, 1.4, Shade(look.Skin, -0.2));
  }
  if (look.Cape && !f.Back()) {
    const Ramp cape(look.CapeColour);
    s.FillPolygon({{m.Cx - m.TorsoW / 2 - 1.5, m.ShoulderY + 1}, {m.Cx + m.TorsoW / 2 + 1.5, m.ShoulderY + 1},
                   {m.Cx + m.TorsoW / 2 + 3 - f.X * 4, m.Base - 1}, {m.Cx - m.TorsoW / 2 - 3 - f.X * 4, m.Base - 1}},
                  cape.Dark);
  }
  if (heldBehind && !pose.HeldHidden) {
    if (!(pose.ReachX == 0 && pose.ReachY == 0) || look.HeldKind != Held::None)
      Arm(s, look, m.MainShoulderX, m.ShoulderRowY, m.HandX, m.HandY, m.S);
    DrawHeld(s, look, pose, f, false);
  }
  // The off arm behind the body in profile.
  const double offHandY = m.ShoulderRowY + (pose.BothArmsUp ? -5.0 : 5.0 * m.S + (pose.Step == 1 ? -1 : pose.Step == 2 ? 1 : 0));
  const double offHandX = pose.BothArmsUp ? m.OffShoulderX - m.Side * 2.5 : m.OffShoulderX - m.Side * 0.6;
  if (f.Side()) Arm(s, look, m.Cx - 0.5, m.ShoulderRowY, m.Cx - 1.5 - (pose.Step == 1 ? 1.5 : pose.Step == 2 ? -1.5 : 0), offHandY, m.S);
  Legs(s, look, pose, f, m);
  Torso(s, look, f, m);
  if (look.Cape && f.Back()) {
    const Ramp cape(look.CapeColour);
    s.FillPolygon({{m.Cx - m.TorsoW / 2 - 1, m.ShoulderY}, {m.Cx + m.TorsoW / 2 + 1, m.ShoulderY},
                   {m.Cx + m.TorsoW / 2 + 2.5, m.Base - 1}, {m.Cx - m.TorsoW / 2 - 2.5, m.Base - 1}},
                  cape.Base);
    s.Line(static_cast<int>(m.Cx), static_cast<int>(m.ShoulderY + 2), static_cast<int>(m.Cx), static_cast<int>(m.Base - 2), cape.Dark);
  }
  if (look.Wings && f.Back()) Wings(s, look, pose, m);
  if (!f.Side()) Arm(s, look, m.OffShoulderX, m.ShoulderRowY, offHandX, offHandY, m.S);
  if (look.HeldKind == Held::Shield) {
    const double sx = f.Side() ? m.Cx + 2.5 : m.OffShoulderX - m.Side * 0.5, sy = m.ShoulderRowY + 3.5;
    if (!f.Back()) s.ShadedEllipse(sx + (pose.BothArmsUp ? f.X * 3 : 0), sy, 3.2 * m.S, 3.6 * m.S, Ramp(look.HeldColour));
  }
  HeadShape(s, look, pose, f, m);
  HatOn(s, look, f, m);
  if (!heldBehind) {
    Arm(s, look, m.MainShoulderX, m.ShoulderRowY, m.HandX, m.HandY, m.S);
    if (!pose.HeldHidden) DrawHeld(s, look, pose, f, false);
  }
  if (pose.Glow > 0) {
    const double gx = pose.BothArmsUp ? m.Cx : m.HandX + f.X * 2, gy = pose.BothArmsUp ? m.ShoulderY - 5 : m.HandY + f.Y * 2;
    s.FillEllipse(gx, gy, 2.5 + pose.Glow * 1.5, 2.5 + pose.Glow * 1.5, Mix(pose.GlowColour, Rgb(255, 255, 255), 0.2));
    s.FillEllipse(gx, gy, 1.2 + pose.Glow, 1.2 + pose.Glow, Rgb(255, 255, 250));
  }
  s.Outline(Rgb(22, 16, 28));
  if (pose.Hurt) s.Wash(0, 0, s.Width(), s.Height(), Rgb(255, 80, 70), 0.28);
  c.Draw(s, 0, 0);
}

// The monster families: each its own silhouette and colour; the grade turns
// its colours darker and deeper and adds a silver (grade 2) or gold
// (grade 3) trim; every facing row turns it; standing, striking, special,
// guarding and hurt frames move it differently.
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "art/Figures.h"
#include "art/Humanoid.h"

namespace {

constexpr double Pi = 3.14159265358979;
const Rgba Ink = Rgb(22, 16, 28);

struct Frame {
  Facing F;
  FrameRole Role = FrameRole::Stand;
  int Order = 0, Count = 1;
  int Phase = 0;  // attacks: -1 before the blow, 0 the blow, 1 after it
  int Grade = 0;  // 0, 1, 2
};

// The grade's colours: the same family, deeper each grade.
Rgba G(Rgba c, int grade) {
  switch (grade) {
    case 1: return Tint(c, 0.07, 1.12, 0.82);
    case 2: return Tint(c, -0.09, 1.18, 0.66);
    default: return c;
  }
}
Rgba TrimOf(int grade, Rgba base) { return grade == 1 ? Rgb(214, 220, 232) : grade == 2 ? Rgb(252, 206, 64) : base; }

// A small crown of the grade's trim on top of the head at (x, y).
void GradeMark(CCanvas& c, double x, double y, int grade) {
  if (grade == 0) return;
  const Rgba t = TrimOf(grade, Clear);
  if (grade == 1) {
    c.FillRect(static_cast<int>(x - 2), static_cast<int>(y), 5, 1, t);
    return;
  }
  c.FillPolygon({{x - 3, y + 1}, {x - 3, y - 2}, {x - 1.5, y - 0.5}, {x, y - 3}, {x + 1.5, y - 0.5}, {x + 3, y - 2}, {x + 3, y + 1}}, t);
}

// Eyes on a round face at (x, y) of radius r: two from the front, one in
// profile, none from behind.
void Eyes(CCanvas& c, const Facing& f, double x, double y, double r, Rgba white, Rgba pupil, bool hurt = false, int size = 1) {
  if (f.Back()) return;
  auto eye = [&](double ex, double ey) {
    if (hurt) {
      c.FillRect(static_cast<int>(ex - size), static_cast<int>(ey), size * 2 + 1, 1, pupil);
      return;
    }
    if (size > 1) {
      c.FillEllipse(ex, ey, size, size, white);
      c.FillRect(static_cast<int>(ex + f.X * 0.9 - 0.5), static_cast<int>(ey + f.Y * 0.7 - 0.5), 2, 2, pupil);
      return;
    }
    // A white and its pupil on the side the creature looks to.
    c.Put(static_cast<int>(ex), static_cast<int>(ey), white);
    c.Put(static_cast<int>(ex) + (f.X > 0.3 ? 1 : 0), static_cast<int>(ey) + (f.X > 0.3 && f.Y < 0.3 ? 0 : 1), pupil);
  };
  if (f.Side()) {
    eye(x + r * 0.5, y);
    return;
  }
  const double shift = f.Row == 1 ? r * 0.3 : 0;
  eye(x - r * 0.4 + shift, y);
  eye(x + r * 0.4 + shift, y);
}

void Shadow(CCanvas& c, double x, double y, double rx) { c.FillEllipse(x, y, rx, rx * 0.35, Rgb(0, 0, 0, 70)); }

// Turned half away (up-right), the edge of an eye still shows on the near
// side; straight away, nothing does.
void BackGlimpse(CCanvas& c, const Facing& f, double x, double y, double r, Rgba eye) {
  if (f.Row != 3) return;
  c.FillRect(static_cast<int>(x + r - 2), static_cast<int>(y), 2, 2, eye);
}

double Lunge(const Frame& fr) {
  if (fr.Role == FrameRole::Attack) return fr.Phase == 0 ? 3 : fr.Phase > 0 ? 1.5 : -1;
  if (fr.Role == FrameRole::Hurt || fr.Role == FrameRole::Dying) return -2;
  return 0;
}

void Finish(CCanvas& c, const Frame& fr, Rgba outline = Ink) {
  c.Outline(outline);
  if (fr.Role == FrameRole::Hurt || fr.Role == FrameRole::Dying) c.Wash(0, 0, 40, 40, Rgb(255, 70, 60), 0.4);
}

// ---- humanoid families ---------------------------------------------------

HumanoidPose PoseFor(const Frame& fr) {
  HumanoidPose p;
  const Facing& f = fr.F;
  const int side = f.Row == 0 ? -1 : 1;
  switch (fr.Role) {
    case FrameRole::Stand:
    case FrameRole::Rise: p.Step = fr.Count > 2 ? fr.Order % 3 : fr.Order == 1 ? 1 : 0; break;
    case FrameRole::Attack:
      if (fr.Phase < 0) {
        p.Lunge = -0.5;
        p.ReachX = -f.X * 2 + side * 1.5;
        p.ReachY = -3.5;
        p.AimX = -f.X * 0.6 + side * 0.3;
        p.AimY = -1;
      } else if (fr.Phase == 0) {
        p.Lunge = 2.5;
        p.ReachX = f.X * 4 + side * 0.5;
        p.ReachY = f.Y * 3 + 1;
        p.AimX = f.X + side * 0.1;
        p.AimY = f.Y;
      } else {
        p.Lunge = 1;
        p.ReachX = f.X * 3;
        p.ReachY = f.Y * 2 + 3;
        p.AimX = f.X * 0.7;
        p.AimY = f.Y * 0.6 + 0.8;
      }
      break;
    case FrameRole::Special:
      p.BothArmsUp = true;
      p.Glow = 0.4 + 0.3 * (fr.Order % 2);
      p.ReachX = side * 2;
      p.ReachY = -5;
      p.AimX = side * 0.3;
      p.AimY = -1;
      break;
    case FrameRole::Guard:
      p.Crouch = true;
      p.BothArmsUp = true;
      p.ReachX = f.X * 3;
      p.ReachY = 1;
      p.AimX = 0.3;
      p.AimY = -1;
      break;
    case FrameRole::Hurt:
    case FrameRole::Dying:
      p.Recoil = 2;
      p.Hurt = true;
      p.ReachX = -side * 1;
      p.ReachY = 2;
      break;
  }
  return p;
}

void Humanoid(CCanvas& c, const Frame& fr, HumanoidLook look, const std::function<void(HumanoidPose&)>& adjust = {}) {
  const int g = fr.Grade;
  look.Body = G(look.Body, g), look.Legs = G(look.Legs, g), look.Skin = G(look.Skin, g);
  look.Hair = G(look.Hair, g), look.HatColour = G(look.HatColour, g), look.WingColour = G(look.WingColour, g);
  look.CapeColour = G(look.CapeColour, g);
  if (g > 0) look.Trim = TrimOf(g, look.Trim);
  if (g == 2 && !look.GlowEyes) look.Eyes = Rgb(230, 40, 40);
  HumanoidPose p = PoseFor(fr);
  if (adjust) adjust(p);
  Shadow(c, 20 + fr.F.X * p.Lunge, 30, 6 * look.Size);
  DrawHumanoid(c, look, p, fr.F);
  if (g > 0) {
    const double headTop = 29 - (5.5 + 6.5) * look.Size - 3.8 * look.Size * 2 + 1;
    GradeMark(c, 20 + fr.F.X * (p.Lunge - p.Recoil), headTop - 1, g);
  }
}

HumanoidLook Look(Rgba skin, Rgba body, Rgba legs, Head head, Held held, Rgba heldColour, double size = 1.0) {
  HumanoidLook l;
  l.Skin = skin, l.Body = body, l.Legs = legs, l.HeadKind = head, l.HeldKind = held, l.HeldColour = heldColour, l.Size = size;
  l.Hair = Shade(skin, -0.4);
  l.Boots = Shade(legs, -0.3);
  return l;
}

// ---- creature families ---------------------------------------------------

void Slime(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(90, 210, 130), fr.Grade));
  const double lunge = Lunge(fr);
  double rx = 7.5, ry = 5.5;
  if (fr.Role == FrameRole::Stand && fr.Order == 1) rx = 8.2, ry = 4.8;
  if (fr.Role == FrameRole::Attack) {
    if (fr.Phase < 0) rx = 6, ry = 7.5;
    else if (fr.Phase == 0) rx = 9.5, ry = 4.2;
  }
  if (fr.Role == FrameRole::Hurt) rx = 9, ry = 3.8;
  // It leans the way it faces.
  const double x = 20 + fr.F.X * (lunge + 1.5), y = 30 - ry + fr.F.Y * lunge * 0.4;
  Shadow(c, x, 30, rx);
  c.ShadedEllipse(x, y, rx, ry, r);
  c.FillEllipse(x - rx * 0.4, y - ry * 0.5, 1.5, 1, r.Shine);
  Eyes(c, fr.F, x + fr.F.X * 2.5, y - ry * 0.2 + fr.F.Y, rx * 0.85, Rgb(255, 255, 255), Rgb(20, 30, 30), fr.Role == FrameRole::Hurt, 2);
  if (fr.F.Back()) c.FillEllipse(x, y - ry * 0.3, rx * 0.5, 1, r.Light);
  BackGlimpse(c, fr.F, x, y - ry * 0.3, rx, Rgb(255, 255, 255));
  if (fr.Role == FrameRole::Attack && fr.Phase == 0 && !fr.F.Back())
    c.FillEllipse(x + fr.F.X * 3, y + 2, 2, 1.2, r.Ink);  // an open mouth
  GradeMark(c, x, y - ry - 1, fr.Grade);
  Finish(c, fr, r.Ink);
}

// Four legs and a body stretched along the facing; head at the front.
void Beast(CCanvas& c, const Frame& fr, Rgba body, Rgba belly, double len, double bulk, bool tail, bool pointedEars) {
  const Ramp r(G(body, fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 25 + f.Y * lunge * 0.5;
  // Screen length: long in profile, short when seen from the front.
  const double ex = std::fabs(f.X) * len + (1 - std::fabs(f.X)) * bulk, ey = bulk * 0.8 + std::fabs(f.Y) * len * 0.25;
  Shadow(c, x, 30, ex + 1);
  const int step = fr.Role == FrameRole::Stand ? fr.Order % 3 : fr.Role == FrameRole::Attack ? 1 : 0;
  for (int i = 0; i < 4; ++i) {
    const double lx = x + (i % 2 ? 1 : -1) * ex * 0.6 + (i / 2 ? 1 : -1) * f.Y * 1.0;
    const double ly = y + 2 + (i / 2 ? 0.5 : -0.5);
    const double swing = (step == 0 ? 0 : ((i + step) % 2 ? 1.2 : -1.2));
    c.ThickLine(lx, ly, lx + swing * f.X, 30, 1.8, r.Dark);
  }
  if (tail) {
    const double tx = x - f.X * ex, ty = y - (f.Back() ? 4 : 1);
    c.ThickLine(tx, ty, tx - f.X * 4 + (f.Side() ? 0 : 3), ty - 3 - (step == 1 ? 1 : 0), 1.2, r.Dark);
  }
  c.ShadedEllipse(x, y, ex, ey, r);
  if (!f.Back()) c.FillEllipse(x + f.X * 1.5, y + ey * 0.4, ex * 0.6, ey * 0.35, G(belly, fr.Grade));
  // Head: at the front end, raised; behind the body when facing away.
  const double hx = x + f.X * (ex - 0.5), hy = y - ey * 0.6 + f.Y * 2 + (fr.Role == FrameRole::Attack && fr.Phase == 0 ? 1 : 0);
  const double hr = bulk * 0.75;
  if (!f.Back() || f.Row == 3) {
    c.ShadedEllipse(hx, hy, hr, hr * 0.9, r);
    for (const double k : {-1.0, 1.0}) {
      if (f.Side() && k > 0) continue;
      const double ax = hx + k * hr * 0.6 - (f.Side() ? 1 : 0);
      if (pointedEars) c.FillPolygon({{ax - 1.3, hy - hr * 0.6}, {ax + 1.3, hy - hr * 0.6}, {ax, hy - hr - 2.5}}, r.Dark);
      else c.FillEllipse(ax, hy - hr * 0.8, 1.6, 1.6, Mix(r.Light, Rgb(240, 170, 170), 0.4));
    }
    if (!f.Back()) {
      c.FillEllipse(hx + f.X * hr * 0.8, hy + hr * 0.35, hr * 0.45, hr * 0.35, Shade(r.Base, 0.3));
      Eyes(c, f, hx, hy - 0.5, hr, Rgb(255, 250, 240), Rgb(20, 10, 10), fr.Role == FrameRole::Hurt);
      if (fr.Role == FrameRole::Attack && fr.Phase == 0) {  // bared teeth
        c.Put(static_cast<int>(hx + f.X * hr), static_cast<int>(hy + hr * 0.6), Rgb(255, 255, 255));
        c.Put(static_cast<int>(hx + f.X * hr - 1), static_cast<int>(hy + hr * 0.6), Rgb(255, 255, 255));
      }
    }
  }
  GradeMark(c, hx, hy - hr - 1, fr.Grade);
  Finish(c, fr);
}

void Spider(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(90, 60, 110), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 24 + f.Y * lunge * 0.5;
  Shadow(c, x, 30, 9);
  const int step = fr.Role == FrameRole::Stand ? fr.Order % 2 : 1;
  // Eight jointed legs, knees high and wide, alternating as it walks.
  const Rgba leg = Shade(r.Base, 0.25);
  for (int i = 0; i < 4; ++i)
    for (const double k : {-1.0, 1.0}) {
      const double lift = step && ((i + (k > 0 ? 1 : 0)) % 2) ? -1.5 : 0;
      const double ky = y - 5 + i * 2.2 + lift, fy = y - 1 + i * 3;
      const double kx = x + k * (8 + (i == 1 || i == 2 ? 1.5 : 0)), fx = x + k * (11 + (i == 1 || i == 2 ? 1 : -1));
      c.ThickLine(x + k * 2, y - 1 + i, kx, ky, 1.2, leg);
      c.ThickLine(kx, ky, fx, fy, 1.0, leg);
    }
  const double bx = x - f.X * 3, by = y - f.Y * 3;  // abdomen behind
  c.ShadedEllipse(bx, by - 1, 5.5, 4.5, r);
  c.FillRect(static_cast<int>(bx - 1), static_cast<int>(by - 3), 2, 4, G(Rgb(220, 60, 60), fr.Grade));
  const double hx = x + f.X * 5, hy = y + f.Y * 3.5;
  if (!f.Back()) {
    c.ShadedEllipse(hx, hy, 4, 3.5, r);
    Eyes(c, f, hx, hy - 0.5, 3, Rgb(255, 60, 60), Rgb(255, 200, 200), fr.Role == FrameRole::Hurt);
    if (fr.Role == FrameRole::Attack) {  // fangs
      c.Put(static_cast<int>(hx - 1 + f.X * 2), static_cast<int>(hy + 2), Rgb(240, 240, 240));
      c.Put(static_cast<int>(hx + 1 + f.X * 2), static_cast<int>(hy + 2), Rgb(240, 240, 240));
    }
  }
  if (fr.Role == FrameRole::Special) {  // a web flung ahead
    const double wx = x + f.X * (9 + fr.Order * 3), wy = y + f.Y * (7 + fr.Order * 2) - 2;
    for (int i = 0; i < 6; ++i) {
      const double a = i * Pi / 3;
      c.Line(static_cast<int>(wx), static_cast<int>(wy), static_cast<int>(wx + std::cos(a) * 4), static_cast<int>(wy + std::sin(a) * 4), Rgb(240, 240, 250));
    }
    c.FrameRect(static_cast<int>(wx - 2), static_cast<int>(wy - 2), 5, 5, Rgb(220, 220, 236));
  }
  GradeMark(c, bx, by - 7, fr.Grade);
  Finish(c, fr);
}

void Bat(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(110, 70, 120), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * (lunge + 1.5), y = 17 + f.Y * lunge * 0.6 + (fr.Order == 1 ? -1 : 0);
  Shadow(c, x, 30, 5);
  const double flap = fr.Role == FrameRole::Stand ? (fr.Order == 1 ? -4 : 2) : fr.Phase == 0 ? -5 : 0;
  // The wing on the far side looks shorter as it turns away.
  for (const double k : {-1.0, 1.0}) {
    const double span = k < 0 ? 11 - 5 * f.X : 11;
    c.FillPolygon({{x, y - 1}, {x + k * span, y - 3 + flap}, {x + k * (span - 1), y + 3}, {x + k * span * 0.6, y + 1.5},
                   {x + k * span * 0.35, y + 3.5}},
                  f.Back() ? Shade(r.Base, 0.15) : k < 0 && f.X > 0 ? Shade(r.Dark, -0.2) : r.Dark);
    c.Line(static_cast<int>(x), static_cast<int>(y - 1), static_cast<int>(x + k * span), static_cast<int>(y - 3 + flap), r.Light);
  }
  c.ShadedEllipse(x, y + 0.5, 3.5, 4, r);
  const double hx = x + f.X * 1.5;
  for (const double k : {-1.0, 1.0}) c.FillPolygon({{hx + k * 1, y - 3}, {hx + k * 3.2, y - 3.5}, {hx + k * 2.5, y - 7}}, r.Base);
  if (f.Back()) {
    c.FillRect(static_cast<int>(x - 1), static_cast<int>(y - 1), 2, 4, r.Light);  // the fur down its back
    BackGlimpse(c, f, x, y - 1, 3.5, Rgb(255, 230, 90));
  } else {
    c.FillEllipse(hx + f.X * 1.5, y + 1.5 + f.Y * 0.5, 1.5, 1, Mix(r.Light, Rgb(240, 180, 190), 0.5));  // the snout
    Eyes(c, f, hx + f.X, y - 0.5, 3, Rgb(255, 230, 90), Rgb(120, 20, 20), fr.Role == FrameRole::Hurt);
  }
  if (fr.Role == FrameRole::Attack && !f.Back()) c.Put(static_cast<int>(x + f.X * 2), static_cast<int>(y + 2.5), Rgb(255, 255, 255));
  GradeMark(c, x, y - 6, fr.Grade);
  Finish(c, fr);
}

void Snake(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(90, 170, 70), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  Shadow(c, 20, 30, 8);
  // The coil on the ground.
  for (int i = 14; i >= 0; --i) {
    const double a = i * 0.55, rad = 6 - i * 0.25;
    c.FillEllipse(20 + std::cos(a) * rad, 27 + std::sin(a) * rad * 0.45, 2.4, 2.0, i % 3 == 0 ? G(Rgb(220, 200, 80), fr.Grade) : r.Base);
  }
  // The neck rises and leans along the facing; a strike throws it forward.
  const double reach = fr.Role == FrameRole::Attack ? (fr.Phase == 0 ? 7 : fr.Phase > 0 ? 4 : -1) : (fr.Order == 1 ? 1 : 0);
  const double hx = 20 + f.X * (3 + reach + lunge * 0.3), hy = 15 + f.Y * (2 + reach * 0.6) - (fr.Role == FrameRole::Stand ? fr.Order : 0);
  for (int i = 0; i <= 6; ++i) {
    const double t = i / 6.0;
    c.FillEllipse(20 + (hx - 20) * t, 25 + (hy - 25) * t + std::sin(t * Pi) * (f.Side() ? -2 : 0), 2.2, 2.2, r.Base);
  }
  c.ShadedEllipse(hx, hy, 3.2, 2.6, r);
  if (!f.Back()) {
    Eyes(c, f, hx, hy - 0.7, 2.8, Rgb(255, 240, 80), Rgb(20, 20, 10), fr.Role == FrameRole::Hurt);
    if (fr.Role == FrameRole::Attack || fr.Order == 1)
      c.Line(static_cast<int>(hx + f.X * 3), static_cast<int>(hy + f.Y * 2 + 1), static_cast<int>(hx + f.X * 5), static_cast<int>(hy + f.Y * 3 + 1), Rgb(230, 40, 60));
  }
  GradeMark(c, hx, hy - 4, fr.Grade);
  Finish(c, fr);
}

void Mushroom(CCanvas& c, const Frame& fr) {
  const Ramp cap(G(Rgb(210, 60, 50), fr.Grade)), stem(Rgb(236, 226, 196));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double hop = fr.Role == FrameRole::Stand && fr.Order == 1 ? -1.5 : 0;
  const double x = 20 + f.X * lunge, y = 29 + hop;
  Shadow(c, x, 30, 6);
  const int step = fr.Role == FrameRole::Stand ? fr.Order : 0;
  c.FillRect(static_cast<int>(x - 4 + (step ? 1 : 0)), static_cast<int>(y - 2), 3, 2, Rgb(150, 110, 70));
  c.FillRect(static_cast<int>(x + 1 - (step ? 1 : 0)), static_cast<int>(y - 2), 3, 2, Rgb(150, 110, 70));
  c.ShadedEllipse(x, y - 6, 4.5, 5, stem);
  if (!f.Back()) {
    Eyes(c, f, x + f.X * 1.5, y - 6.5, 3.5, Rgb(255, 255, 255), Rgb(30, 20, 20), fr.Role == FrameRole::Hurt, 1);
    c.FillRect(static_cast<int>(x + f.X * 2 - 1), static_cast<int>(y - 3), f.Side() ? 1 : 2, 1, Rgb(120, 60, 50));
  } else {
    c.FillRect(static_cast<int>(x - 3), static_cast<int>(y - 7), 6, 5, Shade(stem.Base, -0.2));  // the stem's shaded back
  }
  // The cap leans the way it faces.
  const double tilt = (fr.Role == FrameRole::Attack ? f.X * (fr.Phase == 0 ? 3 : 1) : 0) + f.X * 1.5;
  const double capY = y - 13 + (fr.Role == FrameRole::Attack && fr.Phase == 0 ? 1 : 0);
  c.ShadedEllipse(x + tilt, capY, 8.5, 5, cap);
  c.FillRect(static_cast<int>(x + tilt - 8), static_cast<int>(capY + 2), 17, 2, cap.Dark);
  for (const auto& [dx, dy] : {std::pair{-4.0, -2.0}, std::pair{2.0, -3.0}, std::pair{5.0, 0.0}, std::pair{-1.0, 0.5}})
    c.FillEllipse(x + tilt + dx, capY + dy, 1.2, 1.0, Rgb(255, 250, 240));
  if (fr.Role == FrameRole::Special) {  // a puff of spores
    const double s = 3 + fr.Order * 2;
    for (int i = 0; i < 7; ++i) {
      const double a = i * 0.9 + fr.Order;
      c.FillEllipse(x + std::cos(a) * (s + 4), capY - 3 + std::sin(a) * (s * 0.6 + 2), 1.6, 1.6, Rgb(230, 220, 120, 220));
    }
  }
  GradeMark(c, x + tilt, capY - 6, fr.Grade);
  Finish(c, fr);
}

void ManaEater(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(150, 80, 200), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * (lunge + 1.5), y = 16 + f.Y * lunge * 0.5 + (fr.Order == 1 ? -1 : 0);
  Shadow(c, x, 30, 6);
  for (int i = 0; i < 5; ++i) {
    const double tx = x - 5 + i * 2.5, wave = std::sin(i + fr.Order * 1.5) * 1.5;
    c.ThickLine(tx, y + 4, tx + wave, y + 11, 1.4, r.Dark);
  }
  c.ShadedEllipse(x, y, 8, 7, r);
  if (!f.Back()) {
    const double open = fr.Role == FrameRole::Attack ? (fr.Phase == 0 ? 4 : 2.5) : fr.Role == FrameRole::Special ? 3.5 : 1.2;
    const double mx = x + f.X * 2.5, my = y + 1.5 + f.Y * 1.5;
    c.FillEllipse(mx, my, f.Side() ? 2.5 : 4.5, open, Rgb(40, 10, 30));
    for (int i = -2; i <= 2; ++i)
      if (!f.Side() || i >= 0) c.Put(static_cast<int>(mx + i * 1.6), static_cast<int>(my - open + 0.5), Rgb(250, 250, 240));
    c.FillEllipse(x + f.X * 3, y - 3.5, 2.3, 2.3, Rgb(255, 240, 120));
    c.Put(static_cast<int>(x + f.X * 3.8), static_cast<int>(y - 3.5 + f.Y), Rgb(40, 20, 20));
  }
  BackGlimpse(c, f, x, y - 3.5, 8, Rgb(255, 240, 120));
  if (fr.Role == FrameRole::Special) {  // drawing mana in
    for (int i = 0; i < 4; ++i) {
      const double a = i * Pi / 2 + fr.Order * 0.6;
      c.FillEllipse(x + f.X * 6 + std::cos(a) * 5, y + f.Y * 4 + std::sin(a) * 4, 1.1, 1.1, Rgb(120, 220, 255));
    }
  }
  GradeMark(c, x, y - 8, fr.Grade);
  Finish(c, fr);
}

void Ghost(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(230, 236, 250), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * (lunge + 1), y = 17 + f.Y * lunge * 0.5 + (fr.Order % 2 ? -1.5 : 0);
  Shadow(c, x, 30, 4);
  // The sheet trails behind as it floats along.
  std::vector<Point> body;
  for (int i = 0; i <= 12; ++i) {
    const double a = Pi + i * Pi / 12;
    body.push_back({x + std::cos(a) * 7, y - 2 + std::sin(a) * 7});
  }
  for (int i = 0; i <= 6; ++i) body.push_back({x + 7 - i * (14.0 / 6) - f.X * 3, y + 9 + ((i + fr.Order) % 2 ? 2.5 : 0) - f.Y * 1.5});
  c.FillPolygon(body, r.Base);
  c.FillPolygon({{x - 6, y - 3}, {x - 3, y - 7}, {x - 4, y + 6}}, r.Light);
  if (!f.Back()) {
    // Two hollow eyes and an open mouth, turned the way it looks.
    const Rgba hollow = Rgb(30, 20, 50);
    const double fx = x + f.X * 2.5;
    for (const double k : f.Side() ? std::vector<double>{1.0} : std::vector<double>{-1.0, 1.0}) {
      const double ex = f.Side() ? fx + 2 : fx + k * 2.2;
      if (fr.Role == FrameRole::Hurt) c.FillRect(static_cast<int>(ex - 1), static_cast<int>(y - 3), 2, 1, hollow);
      else c.FillRect(static_cast<int>(ex - 0.5), static_cast<int>(y - 4), 2, 3, hollow);
    }
    c.FillEllipse(fx + (f.Side() ? 2 : 0), y + 1.5, f.Side() ? 1 : 1.8, 1.5, Rgb(60, 40, 80));
  } else {
    c.Line(static_cast<int>(x - 2), static_cast<int>(y - 5), static_cast<int>(x - 3), static_cast<int>(y + 5), r.Dark);  // a fold
    BackGlimpse(c, f, x, y - 3, 7, Rgb(30, 20, 50));
  }
  if (fr.Role == FrameRole::Attack || fr.Role == FrameRole::Special) {  // ghost fire in an outstretched hand
    const double hx = x + f.X * 8 + (f.Side() ? 0 : 6), hy = y + f.Y * 5 + 1;
    c.ThickLine(x + (f.Side() ? 2 : 5), y + 1, hx, hy, 1.6, r.Light);
    c.FillEllipse(hx, hy - 2, 2.5 + fr.Order, 3 + fr.Order, Rgb(120, 200, 255));
    c.FillEllipse(hx, hy - 1.5, 1.2, 1.6, Rgb(240, 250, 255));
  }
  GradeMark(c, x, y - 10, fr.Grade);
  Finish(c, fr, Rgb(70, 80, 120));
}

void Frog(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(90, 180, 70), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const bool leap = fr.Role == FrameRole::Stand && fr.Order == 1;
  const double x = 20 + f.X * lunge, y = 25 + (leap ? -2 : 0) + f.Y * lunge * 0.4;
  Shadow(c, x, 30, 7);
  for (const double k : {-1.0, 1.0}) {
    c.FillEllipse(x + k * 6, y + 3.5, 3, 2, r.Dark);  // haunches
    c.FillRect(static_cast<int>(x + k * 3 - 1), static_cast<int>(y + 3), 2, 3, r.Dark);
  }
  c.ShadedEllipse(x, y, 7.5, 5.5, r);
  if (!f.Back()) c.FillEllipse(x + f.X * 2, y + 2, 4.5, 2.5, G(Rgb(230, 230, 150), fr.Grade));
  // Eyes bulge on top of the head.
  const double ey = y - 5;
  for (const double k : {-1.0, 1.0}) {
    if (f.Side() && k < 0) continue;
    const double ex = x + k * 3.5 + f.X * 2;
    c.FillEllipse(ex, ey, 2.2, 2.2, r.Base);
    if (!f.Back()) {
      c.FillEllipse(ex + f.X * 0.5, ey, 1.4, 1.4, Rgb(255, 250, 200));
      c.Put(static_cast<int>(ex + f.X), static_cast<int>(ey + (fr.Role == FrameRole::Hurt ? 0 : 0.5)), Rgb(10, 10, 10));
    }
  }
  if (fr.Role == FrameRole::Attack && !f.Back()) {  // the tongue lashes out
    const double len = fr.Phase == 0 ? 10 : fr.Phase > 0 ? 5 : 2;
    c.ThickLine(x + f.X * 4, y + 1 + f.Y * 2, x + f.X * (4 + len), y + 1 + f.Y * (2 + len * 0.7), 1.4, Rgb(230, 90, 110));
  }
  GradeMark(c, x, ey - 3, fr.Grade);
  Finish(c, fr);
}

void Bee(CCanvas& c, const Frame& fr) {
  const Rgba yellow = G(Rgb(250, 200, 40), fr.Grade), black = Rgb(40, 30, 20);
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 17 + f.Y * lunge * 0.5 + (fr.Order % 2 ? -1 : 0);
  Shadow(c, x, 30, 4);
  const double flap = fr.Order % 2 ? -2 : 1;
  for (const double k : {-1.0, 1.0}) c.FillEllipse(x + k * 4.5, y - 5 + flap, 4, 2.5, Rgb(220, 240, 255, 190));
  // The striped abdomen trails behind the facing, the sting at its end.
  const double bx = x - f.X * 3, by = y - f.Y * 2 + 1;
  c.ShadedEllipse(bx, by, 5, 4.5, Ramp(yellow));
  for (const double k : {-1.0, 1.0}) c.FillRect(static_cast<int>(bx - 4), static_cast<int>(by + k * 1.5), 9, 1, black);
  const double sting = fr.Role == FrameRole::Attack && fr.Phase >= 0 ? 4 : 1.5;
  const double sx = fr.Role == FrameRole::Attack ? x + f.X * 5 : bx - f.X * 5, sy = fr.Role == FrameRole::Attack ? y + f.Y * 4 + 3 : by + 4;
  c.ThickLine(sx, sy, sx + (fr.Role == FrameRole::Attack ? f.X : -f.X) * sting, sy + sting * 0.5, 1, black);
  c.ShadedEllipse(x + f.X * 3, y + f.Y * 2 - 1, 3, 3, Ramp(black));
  Eyes(c, f, x + f.X * 3, y + f.Y * 2 - 1.5, 2.5, Rgb(250, 250, 250), Rgb(250, 60, 60), fr.Role == FrameRole::Hurt);
  GradeMark(c, x, y - 7, fr.Grade);
  Finish(c, fr);
}

void Eye(CCanvas& c, const Frame& fr) {
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * (lunge + 1.5), y = 17 + f.Y * lunge * 0.5 + (fr.Order == 1 ? -1 : 0);
  Shadow(c, x, 30, 5);
  const Rgba flesh = G(Rgb(200, 120, 140), fr.Grade);
  for (int i = 0; i < 4; ++i) c.ThickLine(x - 3 + i * 2, y + 6, x - 4 + i * 2.7 + std::sin(i + fr.Order) * 1.5, y + 12, 1.2, Shade(flesh, -0.2));
  c.ShadedEllipse(x, y, 8, 8, Ramp(Rgb(240, 236, 226)));
  for (int i = 0; i < 5; ++i) c.Line(static_cast<int>(x - 7 + i), static_cast<int>(y + 3 - i), static_cast<int>(x - 4 + i), static_cast<int>(y + 5 - i), Rgb(220, 80, 80));
  if (f.Back()) {
    c.FillEllipse(x, y + 2, 3, 3, flesh);
    if (f.Row == 3) c.FillRect(static_cast<int>(x + 6), static_cast<int>(y - 3), 2, 5, G(Rgb(80, 150, 220), fr.Grade));  // the iris's edge
  } else {
    const bool staring = fr.Role == FrameRole::Special || (fr.Role == FrameRole::Attack && fr.Phase == 0);
    const double ix = x + f.X * 4, iy = y + f.Y * 3.5;
    c.FillEllipse(ix, iy, 3.8, 3.8, G(staring ? Rgb(250, 200, 40) : Rgb(80, 150, 220), fr.Grade));
    c.FillEllipse(ix, iy, staring ? 0.8 : 1.8, staring ? 2.2 : 1.8, Rgb(10, 10, 20));
    c.Put(static_cast<int>(ix - 1.5), static_cast<int>(iy - 1.5), Rgb(255, 255, 255));
    if (fr.Role == FrameRole::Hurt) c.FillRect(static_cast<int>(x - 7), static_cast<int>(y - 1), 15, 2, flesh);  // the lid snaps shut
  }
  GradeMark(c, x, y - 9, fr.Grade);
  Finish(c, fr);
}

void Bird(CCanvas& c, const Frame& fr, Rgba body, Rgba wing, Rgba comb, bool fiery) {
  const Ramp r(G(body, fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 23 + f.Y * lunge * 0.5 + (fr.Order % 2 ? -1 : 0);
  Shadow(c, x, 30, 6);
  for (const double k : {-1.0, 1.0}) c.ThickLine(x + k * 1.5, y + 4, x + k * 2, 29, 1, Rgb(240, 170, 60));
  // Tail feathers fan out behind.
  for (int i = -1; i <= 1; ++i) c.FillPolygon({{x - f.X * 4, y - 1}, {x - f.X * 10 + i * 3, y - 8 + std::fabs(i)}, {x - f.X * 9 + i * 3 + 2, y - 6}}, G(wing, fr.Grade));
  c.ShadedEllipse(x, y, 6, 5, r);
  const double flap = fr.Role == FrameRole::Special ? -5 : fr.Role == FrameRole::Attack ? -2 : 0;
  for (const double k : {-1.0, 1.0}) {
    if (f.Side() && k < 0) continue;
    c.FillPolygon({{x + k * 2, y - 2}, {x + k * 8, y - 3 + flap}, {x + k * 5, y + 3}}, G(wing, fr.Grade));
  }
  const double hx = x + f.X * 4, hy = y - 6 + f.Y * 1.5 + (fr.Role == FrameRole::Attack && fr.Phase == 0 ? 2 : 0);
  c.ShadedEllipse(hx, hy, 3.3, 3.3, r);
  c.FillPolygon({{hx - 1.5, hy - 3}, {hx, hy - 6.5}, {hx + 1.5, hy - 3}}, comb);
  if (!f.Back()) {
    c.FillPolygon({{hx + f.X * 2.5 - 1, hy}, {hx + f.X * 6, hy + 1 + f.Y}, {hx + f.X * 2.5 + 1, hy + 1.5}}, Rgb(250, 200, 50));
    Eyes(c, f, hx, hy - 0.5, 2.5, Rgb(255, 255, 255), Rgb(200, 20, 20), fr.Role == FrameRole::Hurt);
  }
  if (fiery && fr.Role == FrameRole::Special) {
    for (int i = 0; i < 5; ++i) {
      const double a = i * 1.25 + fr.Order;
      c.FillEllipse(x + std::cos(a) * 9, y - 3 + std::sin(a) * 6, 1.8, 2.4, i % 2 ? Rgb(255, 150, 40) : Rgb(255, 230, 90));
    }
  }
  GradeMark(c, hx, hy - 7, fr.Grade);
  Finish(c, fr);
}

void Dragon(CCanvas& c, const Frame& fr) {
  const Ramp r(G(Rgb(200, 60, 50), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 24 + f.Y * lunge * 0.4;
  Shadow(c, x, 31, 11);
  const double flap = fr.Role == FrameRole::Stand ? (fr.Order == 1 ? -3 : 1) : -4;
  for (const double k : {-1.0, 1.0}) {
    const double wx = x + k * 3 - f.X * 2;
    c.FillPolygon({{wx, y - 4}, {wx + k * 14, y - 12 + flap}, {wx + k * 12, y - 2}, {wx + k * 8, y + 1}}, r.Dark);
    c.ThickLine(wx, y - 4, wx + k * 14, y - 12 + flap, 1.2, r.Light);
  }
  // Tail behind, body, legs, then the neck and head reaching forward.
  c.ThickLine(x - f.X * 8, y + 3, x - f.X * 15 + (f.Side() ? 0 : 6), y + 5 - (f.Back() ? 6 : 0), 2.5, r.Base);
  for (const double k : {-1.0, 1.0}) c.ThickLine(x + k * 5, y + 3, x + k * 5.5, 31, 2.5, r.Dark);
  c.ShadedEllipse(x, y, 9, 6.5, r);
  if (!f.Back()) c.FillEllipse(x + f.X * 2, y + 2.5, 5, 3, G(Rgb(240, 200, 120), fr.Grade));
  const bool breath = fr.Role == FrameRole::Special;
  const double nx = x + f.X * 7, ny = y - 7 + f.Y * 3 + (fr.Role == FrameRole::Attack && fr.Phase == 0 ? 3 : 0);
  c.ThickLine(x + f.X * 3, y - 3, nx, ny, 3.5, r.Base);
  c.ShadedEllipse(nx + f.X * 1.5, ny, 4.5, 3.5, r);
  for (const double k : {-1.0, 1.0}) c.FillPolygon({{nx + k * 2, ny - 2}, {nx + k * 3 - f.X * 3, ny - 7}, {nx + k * 0.5, ny - 2.5}}, Rgb(240, 230, 200));
  if (!f.Back()) {
    Eyes(c, f, nx + f.X * 1.5, ny - 1, 3.5, Rgb(255, 240, 80), Rgb(40, 10, 10), fr.Role == FrameRole::Hurt);
    if (breath || (fr.Role == FrameRole::Attack && fr.Phase == 0)) {
      const double mx = nx + f.X * 5, my = ny + 1.5 + f.Y * 3;
      c.FillEllipse(mx, my, 1.5, 1.0, Rgb(60, 10, 10));
      if (breath) {
        const double len = 4 + fr.Order * 3;
        for (int i = 0; i < 4; ++i)
          c.FillEllipse(mx + f.X * (2 + i * len / 3), my + f.Y * (2 + i * len / 3), 1.5 + i * 0.7, 1.5 + i * 0.7,
                        i % 2 ? Rgb(255, 140, 30) : Rgb(255, 230, 100));
      }
    }
  }
  GradeMark(c, nx, ny - 7, fr.Grade);
  Finish(c, fr);
}

void Mimic(CCanvas& c, const Frame& fr) {
  const Ramp wood(G(Rgb(168, 104, 52), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 24 + f.Y * lunge * 0.4 + (fr.Order == 1 ? -1 : 0);
  Shadow(c, x, 30, 9);
  const double open = fr.Role == FrameRole::Attack ? (fr.Phase == 0 ? 7 : 4) : fr.Role == FrameRole::Hurt ? 1 : (fr.Order == 1 ? 3 : 2);
  // A box seen turning: its front narrows and a side panel shows on the
  // side it turns from; the mouth is in the front.
  const int side = static_cast<int>(std::lround(6 * std::fabs(f.X)));
  const int front = 16 - side;
  const int left = static_cast<int>(x - 8), frontLeft = f.X > 0 ? left + side : left;
  const int sideLeft = f.X > 0 ? left : left + front;
  const bool mouthShows = !f.Back();
  c.FillRect(left, static_cast<int>(y - 2), 16, 9, wood.Base);
  if (side > 0) c.FillRect(sideLeft, static_cast<int>(y - 2), side, 9, wood.Dark);
  c.FillRect(frontLeft, static_cast<int>(y - 2), 1, 9, Rgb(230, 196, 80));
  c.FillRect(frontLeft + front - 1, static_cast<int>(y - 2), 1, 9, Rgb(230, 196, 80));
  if (mouthShows) {
    c.FillRect(frontLeft + 1, static_cast<int>(y - 2 - open), front - 2, static_cast<int>(open) + 1, Rgb(70, 10, 20));
    for (int i = 0; i * 3 + 2 < front; ++i) {
      const double tx = frontLeft + 1.5 + i * 3;
      c.FillPolygon({{tx, y - 2}, {tx + 1.5, y - 4}, {tx + 3, y - 2}}, Rgb(250, 250, 240));
      c.FillPolygon({{tx, y - 2 - open}, {tx + 1.5, y - open}, {tx + 3, y - 2 - open}}, Rgb(250, 250, 240));
    }
    if (fr.Role == FrameRole::Attack) c.ThickLine(x, y - 3, x + f.X * 6, y - 1 + f.Y * 4, 2, Rgb(230, 80, 100));
    Eyes(c, f, frontLeft + front / 2.0, y - 4 - open, front / 2.5, Rgb(255, 220, 60), Rgb(40, 0, 0), fr.Role == FrameRole::Hurt);
  } else {
    // From behind: the hinges of the lid and the plain back board.
    c.FillRect(frontLeft + 3, static_cast<int>(y - 3 - open), 2, 2, Rgb(90, 80, 70));
    c.FillRect(frontLeft + front - 5, static_cast<int>(y - 3 - open), 2, 2, Rgb(90, 80, 70));
  }
  c.FillRect(left, static_cast<int>(y - 6 - open), 16, 4, wood.Light);
  if (side > 0) c.FillRect(sideLeft, static_cast<int>(y - 6 - open), side, 4, wood.Base);
  if (mouthShows) c.FillRect(frontLeft + front / 2 - 1, static_cast<int>(y - 4 - open), 2, 2, Rgb(250, 222, 110));
  GradeMark(c, x, y - 8 - open, fr.Grade);
  Finish(c, fr);
}

void Treant(CCanvas& c, const Frame& fr) {
  const Ramp bark(G(Rgb(120, 84, 50), fr.Grade)), leaf(G(Rgb(60, 140, 60), fr.Grade));
  const Facing& f = fr.F;
  const double lunge = Lunge(fr);
  const double x = 20 + f.X * lunge, y = 30;
  Shadow(c, x, 31, 8);
  const int step = fr.Role == FrameRole::Stand ? fr.Order : 0;
  for (const double k : {-1.0, 1.0}) c.ThickLine(x + k * 2, y - 6, x + k * (5 + (step && k > 0 ? 1 : 0)), y, 2.2, bark.Dark);
  c.FillRect(static_cast<int>(x - 4), static_cast<int>(y - 20), 9, 15, bark.Base);
  c.FillRect(static_cast<int>(x - 4), static_cast<int>(y - 20), 2, 15, bark.Light);
  // Branch arms: raised to strike.
  const double up = fr.Role == FrameRole::Attack ? (fr.Phase < 0 ? -8 : fr.Phase == 0 ? 2 : -2) : -3;
  for (const double k : {-1.0, 1.0}) {
    const double ex = x + k * 9 + (fr.Role == FrameRole::Attack ? f.X * 4 : 0), ey = y - 14 + up;
    c.ThickLine(x + k * 3, y - 14, ex, ey, 1.8, bark.Base);
    c.ShadedEllipse(ex, ey, 2.5, 2, leaf);
  }
  c.ShadedEllipse(x + f.X * 1.5, y - 23 + f.Y, 9, 6.5, leaf);
  if (!f.Back()) {
    // A face in the bark: hollow eyes that glow, a crooked mouth.
    const double fx = x + f.X * 2;
    for (const double k : f.Side() ? std::vector<double>{1.0} : std::vector<double>{-1.0, 1.0}) {
      c.FillRect(static_cast<int>(fx + k * 2 - 1), static_cast<int>(y - 17), 2, 3, Rgb(30, 20, 10));
      c.Put(static_cast<int>(fx + k * 2), static_cast<int>(y - 16), Rgb(250, 220, 90));
    }
    c.FillRect(static_cast<int>(fx - 2), static_cast<int>(y - 12), f.Side() ? 3 : 5, 2, Rgb(40, 26, 14));
  } else {
    // From behind: a knot and moss on the bark.
    c.FillEllipse(x, y - 14, 1.5, 2, bark.Dark);
    c.FillRect(static_cast<int>(x - 3), static_cast<int>(y - 9), 3, 2, Rgb(90, 150, 70));
  }
  GradeMark(c, x, y - 30, fr.Grade);
  Finish(c, fr);
}

using Painter = std::function<void(CCanvas&, const Frame&)>;

const std::map<std::string, Painter>& Painters() {
  static const std::map<std::string, Painter> painters = {
      {"Slime", Slime},
      {"Skeleton",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(236, 232, 214), Rgb(236, 232, 214), Rgb(226, 222, 204), Head::Skull, Held::Club, Rgb(236, 232, 214), 0.95);
         l.Bulk = 0.7, l.Trim = Rgb(150, 140, 120), l.Boots = Rgb(200, 196, 180);
         Humanoid(c, fr, l);
         // Ribs across the chest.
         if (!fr.F.Back()) c.FillRect(17, 17, 6, 1, Rgb(150, 140, 120)), c.FillRect(17, 19, 6, 1, Rgb(150, 140, 120));
       }},
      {"Mushroom", Mushroom},
      {"Spider", Spider},
      {"Bat", Bat},
      {"Snake", Snake},
      {"Rat", [](CCanvas& c, const Frame& fr) { Beast(c, fr, Rgb(140, 134, 130), Rgb(220, 200, 190), 6, 4, true, false); }},
      {"Imp",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(220, 80, 60), Rgb(190, 60, 50), Rgb(160, 50, 40), Head::Demon, Held::Spear, Rgb(60, 60, 70), 0.8);
         l.Wings = true, l.WingColour = Rgb(120, 40, 50), l.Tail = true, l.Eyes = Rgb(255, 240, 80);
         Humanoid(c, fr, l);
       }},
      {"ManaEater", ManaEater},
      {"Ghost", Ghost},
      {"Harpy",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(236, 200, 170), Rgb(80, 170, 170), Rgb(240, 190, 80), Head::Human, Held::Claws, Rgb(240, 240, 230), 0.95);
         l.Hair = Rgb(60, 140, 150), l.LongHair = true, l.Wings = true, l.WingColour = Rgb(90, 180, 180), l.Bulk = 0.85;
         Humanoid(c, fr, l, [&](HumanoidPose& p) { p.Bob = -2; });
       }},
      {"Minotaur",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(150, 96, 60), Rgb(130, 80, 50), Rgb(90, 70, 60), Head::Bull, Held::Axe, Rgb(200, 204, 214), 1.3);
         l.Bulk = 1.25, l.Trim = Rgb(200, 170, 90);
         Humanoid(c, fr, l);
       }},
      {"Frog", Frog},
      {"Death",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(220, 220, 210), Rgb(40, 34, 50), Rgb(40, 34, 50), Head::Hood, Held::Scythe, Rgb(210, 214, 230), 1.1);
         l.Floating = true, l.HatColour = Rgb(44, 36, 56), l.Eyes = Rgb(255, 60, 60), l.Trim = Rgb(90, 80, 110);
         Humanoid(c, fr, l, [](HumanoidPose& p) { p.Bob = -1; });
       }},
      {"Merman",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(80, 170, 170), Rgb(60, 140, 150), Rgb(50, 120, 140), Head::Fish, Held::Trident, Rgb(230, 200, 90));
         l.Hair = Rgb(230, 120, 60), l.Trim = Rgb(230, 200, 90);
         Humanoid(c, fr, l);
       }},
      {"LivingArmor",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(170, 176, 190), Rgb(150, 156, 172), Rgb(120, 126, 140), Head::Helm, Held::Sword, Rgb(220, 224, 236), 1.1);
         l.HatColour = Rgb(160, 166, 182), l.Eyes = Rgb(120, 220, 255), l.GlowEyes = true, l.Bulk = 1.1;
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role == FrameRole::Guard) p.HeldHidden = true;
         });
         if (fr.Role == FrameRole::Guard && !fr.F.Back()) {  // the shield raised in front
           const double sx = 20 + fr.F.X * 5, sy = 19;
           c.ShadedEllipse(sx, sy, 4.5, 5.5, Ramp(G(Rgb(170, 60, 60), fr.Grade)));
           c.FillRect(static_cast<int>(sx) - 1, static_cast<int>(sy) - 3, 2, 6, Rgb(240, 210, 100));
           c.Outline(Ink);
         }
       }},
      {"Gorem",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(150, 140, 120), Rgb(140, 130, 110), Rgb(120, 110, 96), Head::Stone, Held::None, Rgb(0, 0, 0), 1.35);
         l.Bulk = 1.5, l.HatColour = Rgb(150, 140, 120), l.Eyes = Rgb(255, 170, 40), l.GlowEyes = true, l.Trim = Rgb(100, 160, 90);
         Humanoid(c, fr, l);
       }},
      {"Gorgon",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(170, 210, 150), Rgb(130, 60, 130), Rgb(130, 60, 130), Head::Gorgon, Held::Spear, Rgb(220, 200, 120));
         l.Hair = Rgb(60, 150, 60), l.Robe = true, l.Trim = Rgb(230, 196, 80);
         if (fr.Role == FrameRole::Special) l.Eyes = Rgb(255, 240, 60);
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role == FrameRole::Special) p.GlowColour = Rgb(255, 250, 120), p.BothArmsUp = false, p.Glow = 0;
         });
         if (fr.Role == FrameRole::Special && !fr.F.Back()) {  // the stony gaze
           for (int i = 1; i <= 3; ++i)
             c.FillEllipse(20 + fr.F.X * (4 + i * 3), 11 + fr.F.Y * (2 + i * 3), 1 + fr.Order * 0.5, 1 + fr.Order * 0.5, Rgb(255, 250, 140));
         }
       }},
      {"Zombie",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(130, 170, 110), Rgb(100, 90, 110), Rgb(80, 76, 90), Head::Human, Held::None, Rgb(0, 0, 0));
         l.Hair = Rgb(60, 60, 40), l.Hunched = true, l.Eyes = Rgb(240, 230, 120);
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role == FrameRole::Stand) p.ReachX = fr.F.X * 3, p.ReachY = fr.F.Y * 2 + 1;  // arms out ahead
         });
       }},
      {"Vampire",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(226, 220, 230), Rgb(40, 30, 50), Rgb(30, 26, 40), Head::Human, Held::None, Rgb(0, 0, 0));
         l.Hair = Rgb(30, 24, 40), l.Cape = true, l.CapeColour = Rgb(170, 30, 50), l.Eyes = Rgb(230, 30, 40), l.Trim = Rgb(200, 40, 60);
         Humanoid(c, fr, l, [&](HumanoidPose& p) { p.GlowColour = Rgb(240, 60, 80); });
       }},
      {"Kobold",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(190, 150, 100), Rgb(120, 90, 60), Rgb(100, 80, 60), Head::Dog, Held::Club, Rgb(150, 110, 70), 0.8);
         l.Tail = true;
         Humanoid(c, fr, l);
       }},
      {"Goblin",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(120, 170, 80), Rgb(120, 90, 60), Rgb(90, 70, 50), Head::Goblin, Held::Sword, Rgb(180, 184, 196), 0.82);
         l.Eyes = Rgb(250, 220, 40);
         if (fr.Role == FrameRole::Special) l.HeldKind = Held::Bow;
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role == FrameRole::Special) {  // drawing and loosing the bow
             p.BothArmsUp = false, p.Glow = 0;
             p.ReachX = fr.F.X * 3 + (fr.F.Row == 0 ? -0.5 : 0.5), p.ReachY = fr.F.Y * 2 + 1;
             p.AimX = fr.F.X, p.AimY = fr.F.Y;
           }
         });
       }},
      {"Dragon", Dragon},
      {"Bee", Bee},
      {"Werewolf",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(130, 120, 120), Rgb(110, 100, 104), Rgb(90, 76, 70), Head::Wolf, Held::Claws, Rgb(0, 0, 0), 1.15);
         l.Bulk = 1.15, l.Tail = true, l.Hunched = true, l.Eyes = Rgb(255, 220, 60);
         Humanoid(c, fr, l);
       }},
      {"Cyclops",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(200, 160, 110), Rgb(140, 110, 70), Rgb(120, 90, 60), Head::Cyclops, Held::Club, Rgb(120, 90, 60), 1.4);
         l.Bulk = 1.3;
         Humanoid(c, fr, l);
       }},
      {"Demon",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(160, 40, 90), Rgb(110, 30, 70), Rgb(80, 20, 50), Head::Demon, Held::Claws, Rgb(0, 0, 0), 1.35);
         l.Bulk = 1.25, l.Wings = true, l.WingColour = Rgb(70, 20, 60), l.Tail = true, l.Eyes = Rgb(255, 230, 60);
         Humanoid(c, fr, l);
       }},
      {"Shadow",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(40, 36, 56), Rgb(30, 26, 44), Rgb(26, 22, 38), Head::Human, Held::Claws, Rgb(150, 120, 220));
         l.Hair = Rgb(20, 18, 30), l.Eyes = Rgb(255, 60, 200);
         Humanoid(c, fr, l);
         c.Wash(0, 0, 40, 40, Rgb(90, 60, 140), 0.15);
       }},
      {"Samurai",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(236, 196, 160), Rgb(170, 30, 40), Rgb(60, 50, 60), Head::Human, Held::Katana, Rgb(230, 234, 240));
         l.HatKind = Hat::Crest, l.HatColour = Rgb(60, 50, 60), l.Trim = Rgb(240, 200, 80);
         Humanoid(c, fr, l);
       }},
      {"Dog", [](CCanvas& c, const Frame& fr) { Beast(c, fr, Rgb(180, 120, 70), Rgb(240, 220, 190), 7, 5, true, true); }},
      {"Gargoyle",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(120, 124, 130), Rgb(110, 114, 122), Rgb(96, 100, 108), Head::Demon, Held::Claws, Rgb(0, 0, 0));
         l.Wings = true, l.WingColour = Rgb(90, 94, 104), l.Hunched = true, l.Eyes = Rgb(255, 120, 40);
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role == FrameRole::Stand) p.Crouch = true;
         });
       }},
      {"Eye", Eye},
      {"Doll",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(250, 224, 210), Rgb(220, 120, 170), Rgb(250, 250, 250), Head::Human, Held::Sword, Rgb(220, 220, 230), 0.85);
         l.Hair = Rgb(240, 200, 90), l.LongHair = true, l.Robe = true, l.Trim = Rgb(255, 255, 255), l.Eyes = Rgb(40, 40, 120);
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role == FrameRole::Hurt && fr.Order == 1) p.Recoil = -1;  // the shake goes both ways
         });
       }},
      {"Pyrolisk", [](CCanvas& c, const Frame& fr) { Bird(c, fr, Rgb(240, 140, 40), Rgb(220, 60, 30), Rgb(240, 40, 40), true); }},
      {"Necromancer",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(200, 190, 200), Rgb(70, 40, 90), Rgb(60, 30, 80), Head::Hood, Held::Staff, Rgb(160, 250, 160));
         l.Robe = true, l.HatColour = Rgb(80, 46, 100), l.Eyes = Rgb(160, 255, 160), l.Trim = Rgb(170, 230, 120);
         Humanoid(c, fr, l, [&](HumanoidPose& p) { p.GlowColour = Rgb(140, 255, 140); });
       }},
      {"Mimic", Mimic},
      {"Treant", Treant},
      {"Alchemist",
       [](CCanvas& c, const Frame& fr) {
         HumanoidLook l = Look(Rgb(236, 210, 190), Rgb(240, 236, 220), Rgb(200, 190, 170), Head::Human, Held::Staff, Rgb(255, 200, 60), 1.2);
         l.Hair = Rgb(230, 230, 236), l.Beard = true, l.Robe = true, l.HatKind = Hat::Pointed, l.HatColour = Rgb(120, 40, 60);
         l.Trim = Rgb(240, 196, 60), l.Cape = true, l.CapeColour = Rgb(120, 40, 60);
         Humanoid(c, fr, l, [&](HumanoidPose& p) {
           if (fr.Role != FrameRole::Special) return;
           // Stones thrown, a potion drunk, rising again: the hands move each frame.
           p.Glow = 0.3 + 0.2 * (fr.Order % 3);
           p.GlowColour = fr.Order < 5 ? Rgb(255, 200, 60) : fr.Order < 7 ? Rgb(120, 255, 160) : Rgb(255, 250, 230);
           p.BothArmsUp = fr.Order % 2 == 0;
           p.ReachX = fr.F.X * (2 + fr.Order % 3);
           p.ReachY = -3 + fr.Order % 4;
         });
       }},
  };
  return painters;
}

Frame MakeFrame(const FamilyCell& cell, const std::vector<FamilyCell>& cells, int row, int grade) {
  Frame fr;
  fr.F = Facing::OfRow(row);
  fr.Role = cell.Role == FrameRole::Dying ? FrameRole::Hurt : cell.Role;
  fr.Order = cell.Order;
  fr.Count = cell.RoleCount;
  fr.Grade = grade;
  if (cell.Role == FrameRole::Attack) {
    int impactOrder = cell.RoleCount - 1;
    for (const FamilyCell& c : cells)
      if (c.Impact) impactOrder = c.Order;
    fr.Phase = cell.Order < impactOrder ? -1 : cell.Order == impactOrder ? 0 : 1;
  }
  return fr;
}

void PaintFamily(CCanvas& sheet, const MonsterFamily& family, int grade) {
  const auto it = Painters().find(family.Name);
  if (it == Painters().end()) return;
  const std::vector<FamilyCell> cells = FamilyCells(family, grade);
  for (const FamilyCell& cell : cells)
    for (int row = 0; row < 5; ++row) {
      CCanvas sprite(40, 40);
      it->second(sprite, MakeFrame(cell, cells, row, grade));
      sheet.Draw(sprite, 0, 0, 40, 40, cell.X - 20, cell.Y - 20 + 40 * row, true);
    }
}

// The picture grade `grade` of a family is drawn on: its class's sheet,
// or, for a grade the game has no class for, the picture the table keeps
// for it (the one after the first grade's, its resource numbered on).
int SheetOf(const MonsterFamily& family, int grade) {
  if (family.Classes[grade]) return family.Classes[grade]->Picture;
  if (!family.Classes[0]) return -1;
  const int first = family.Classes[0]->Picture;
  return ResourceOfPicture(first + grade) == ResourceOfPicture(first) + grade ? first + grade : -1;
}

}  // namespace

bool IsMonsterResource(int resource) {
  for (const MonsterFamily& f : MonsterFamilies())
    for (int g = 0; g < 3; ++g)
      if (ResourceOfPicture(SheetOf(f, g)) == resource) return true;
  return false;
}

CCanvas DrawMonsterSheet(int resource) {
  CCanvas sheet(512, 512);
  for (const MonsterFamily& f : MonsterFamilies())
    for (int g = 0; g < 3; ++g)
      if (ResourceOfPicture(SheetOf(f, g)) == resource) PaintFamily(sheet, f, g);
  return sheet;
}

CCanvas DrawMonsterFrame(const char* family, int grade, FrameRole role, int order, int row) {
  CCanvas sprite(40, 40);
  for (const MonsterFamily& f : MonsterFamilies()) {
    if (std::strcmp(f.Name, family) != 0) continue;
    const std::vector<FamilyCell> cells = FamilyCells(f, grade);
    for (const FamilyCell& cell : cells)
      if (cell.Role == role && cell.Order == order) Painters().at(f.Name)(sprite, MakeFrame(cell, cells, row, grade));
  }
  return sprite;
}

// picture_art: draws the resource module's pictures.
//
//   picture_art [--bundle FILE] [--contact-sheet FILE.png] [--atlas FILE.png]
//               [--picture-dir DIR]
//
// --bundle writes every drawn picture into one bundle for resgen; the file
// is rewritten only when its bytes change. --contact-sheet writes one PNG
// with every picture of the picture table (drawn art, or the labelled
// pattern where nothing is drawn yet) and small made-up floors of every
// area with characters and items on them. --picture-dir writes each drawn
// picture as RESOURCE.png.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PatternPictures.h"
#include "PictureBundle.h"
#include "art/Figures.h"
#include "art/Floors.h"
#include "art/Items.h"
#include "art/Pictures.h"
#include "art/PixelFont.h"
#include "art/Png.h"
#include "art/SheetTables.h"
#include "platform/PictureTable.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: picture_art [--bundle FILE] [--contact-sheet FILE.png] [--atlas FILE.png] [--picture-dir DIR]\n");
  return 2;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool WriteIfChanged(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (ReadFile(path) == bytes) return true;
  const std::string temp = path + ".new";
  {
    std::ofstream out(temp, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

// The picture of a texture row as the module holds it.
CCanvas TexturePicture(const PictureRow& row, const std::string& atlas) {
  const int resource = static_cast<int>(row.ResourceId), size = static_cast<int>(row.Size);
  if (IsDrawnResource(resource)) return DrawResource(resource, size);
  CCanvas c(size, size);
  if (resource == 147) {
    c.FillRect(0, 0, size, size, Rgb(255, 255, 255));
    return c;
  }
  if (resource == 198 && !atlas.empty() && DecodePng(ReadFile(atlas), c)) return c;
  DecodePng(MakePatternPicture(static_cast<int>(row.Id), size), c);
  return c;
}

CCanvas Shrink(const CCanvas& c, int factor) {
  CCanvas out(c.Width() / factor, c.Height() / factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Put(x, y, c.Get(x * factor, y * factor));
  return out;
}

CCanvas Grow(const CCanvas& c, int factor) {
  CCanvas out(c.Width() * factor, c.Height() * factor);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) out.Put(x, y, c.Get(x / factor, y / factor));
  return out;
}

// A made-up moment of play on an area's floor: the hero, monsters facing
// different ways, items lying about.
CCanvas PlayScene(int area) {
  CCanvas floor = DrawFloorPreview(area, 21, 12);
  auto put = [&floor](const CCanvas& sprite, int cx, int cy) { floor.Draw(sprite, 0, 0, sprite.Width(), sprite.Height(), cx * 20 - 10, cy * 20 - 10); };
  auto icon = [&floor](int id, int cx, int cy) { floor.Draw(DrawItemIcon(id), 0, 0, 20, 20, cx * 20, cy * 20); };
  icon(0x900, 5, 3);
  icon(0x002, 16, 4);
  icon(0xc01, 17, 5);
  put(DrawPlayerFrame(area % 9, PlayerPose::Stand, 0), 4, 4);
  put(DrawMonsterFrame("Slime", 0, FrameRole::Stand, 0, 2), 7, 3);
  put(DrawMonsterFrame("Kobold", area % 3, FrameRole::Attack, 1, 1), 15, 5);
  put(DrawMonsterFrame("Bat", 1, FrameRole::Stand, 1, 4), 18, 6);
  put(DrawMonsterFrame("Dragon", 2, FrameRole::Special, 0, 3), 11, 10);
  return floor;
}

// The hero with each weapon in every facing, as the game lays the
// companions' cells over the class's: one column per overlay cell, one row
// per facing.
CCanvas HeroWithWeapons() {
  const CCanvas body = DrawPlayerSheet(210);
  std::vector<const OverlayCell*> cells;
  for (const OverlayCell& o : OverlayCells())
    if (!o.Trail) cells.push_back(&o);
  constexpr int Tile = 80;
  CCanvas out(static_cast<int>(cells.size()) * Tile, 5 * Tile);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const OverlayCell& o = *cells[i];
    const CCanvas weapons = DrawWeaponSheet(200 + (o.Picture - 132));
    const PlayerCell* pose = nullptr;
    for (const PlayerCell& p : PlayerCells())
      if (p.Pose == o.Pose) pose = &p;
    for (int facing = 0; facing < 5 && pose; ++facing) {
      // Both cells share their centre; facing away, the weapon goes behind.
      const int cx = static_cast<int>(i) * Tile + Tile / 2, cy = facing * Tile + Tile / 2;
      auto weapon = [&] { out.Draw(weapons, o.X - o.Cell / 2, o.Y - o.Cell / 2 + o.Cell * facing, o.Cell, o.Cell, cx - o.Cell / 2, cy - o.Cell / 2); };
      if (facing >= 3) weapon();
      out.Draw(body, pose->X - 20, pose->Y - 20 + 80 * facing, 40, 40, cx - 20, cy - 20);
      if (facing < 3) weapon();
    }
  }
  return out;
}

void Checker(CCanvas& c, int x, int y, int w, int h) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) c.Put(i, j, ((i - x) / 8 + (j - y) / 8) % 2 ? Rgb(92, 92, 100) : Rgb(70, 70, 78));
}

bool WriteContactSheet(const std::string& path, const std::string& atlas) {
  // Pictures at full size (larger ones shrunk to 512, tiny ones grown),
  // on shelves as tall as their tallest picture.
  struct Placed {
    const PictureRow* Row;
    CCanvas Picture;
    int Factor, X, Y;
  };
  const int tile = 512, label = 14, gap = 12, width = 8 * (tile + gap) + gap, top = 40;
  std::vector<Placed> placed;
  int x = gap, y = top, shelf = 0;
  for (const PictureRow& row : PictureTable) {
    if (row.Slot != row.Id) continue;
    CCanvas picture = TexturePicture(row, atlas);
    const int factor = std::max(1, static_cast<int>(row.Size) / tile);
    if (factor > 1) picture = Shrink(picture, factor);
    if (picture.Width() < 64) picture = Grow(picture, 64 / picture.Width());
    if (x + picture.Width() + gap > width) x = gap, y += shelf + label + gap, shelf = 0;
    placed.push_back({&row, picture, factor, x, y});
    x += std::max(picture.Width(), 200) + gap;
    shelf = std::max(shelf, picture.Height());
  }
  const std::vector<int>& areas = AreaResources();
  const int sceneW = 21 * 20 * 2, sceneH = 12 * 20 * 2, sceneColumns = 4;
  const int sceneRows = (static_cast<int>(areas.size()) + sceneColumns - 1) / sceneColumns;
  const int scenesTop = y + shelf + label + gap + 30;
  const CCanvas hero = Grow(HeroWithWeapons(), 2);
  const int heroTop = scenesTop + sceneRows * (sceneH + label + gap) + 30;
  CCanvas sheet(std::max(width, hero.Width() + 2 * gap), heroTop + hero.Height() + gap);
  sheet.FillRect(0, 0, sheet.Width(), sheet.Height(), Rgb(36, 36, 44));
  DrawText(sheet, gap, 12, "VORLUMEN PICTURES: EVERY TEXTURE OF THE PICTURE TABLE", Rgb(255, 255, 255), 2);
  for (const Placed& p : placed) {
    const PictureRow& row = *p.Row;
    const std::string text = "PIC " + std::to_string(row.Id) + " RES " + std::to_string(row.ResourceId) + " " +
                             std::to_string(row.Size) + (p.Factor > 1 ? " (1/" + std::to_string(p.Factor) + ")" : "") +
                             (IsDrawnResource(static_cast<int>(row.ResourceId)) ? "" : " PATTERN");
    DrawText(sheet, p.X, p.Y, text, Rgb(230, 230, 240));
    Checker(sheet, p.X, p.Y + label, p.Picture.Width(), p.Picture.Height());
    sheet.Draw(p.Picture, 0, 0, p.Picture.Width(), p.Picture.Height(), p.X, p.Y + label);
  }
  DrawText(sheet, gap, scenesTop - 22, "EVERY AREA'S TILES BY THE FLOOR'S RULES, WITH CHARACTERS AND ITEMS (x2)", Rgb(255, 255, 255), 2);
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const int x = gap + static_cast<int>(i % sceneColumns) * (sceneW + gap);
    const int y = scenesTop + static_cast<int>(i / sceneColumns) * (sceneH + label + gap);
    DrawText(sheet, x, y, "AREA " + std::to_string(areas[i]), Rgb(230, 230, 240));
    sheet.Draw(Grow(PlayScene(areas[i]), 2), 0, 0, sceneW, sceneH, x, y + label);
  }
  DrawText(sheet, gap, heroTop - 22, "THE HERO WITH EACH WEAPON IN HAND, EVERY FACING (x2)", Rgb(255, 255, 255), 2);
  Checker(sheet, gap, heroTop, hero.Width(), hero.Height());
  sheet.Draw(hero, 0, 0, hero.Width(), hero.Height(), gap, heroTop);
  return WritePngFile(path, sheet);
}

}  // namespace

int main(int argc, char** argv) {
  std::string bundle, contact, atlas, dir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    if (arg == "--bundle") bundle = argv[++i];
    else if (arg == "--contact-sheet") contact = argv[++i];
    else if (arg == "--atlas") atlas = argv[++i];
    else if (arg == "--picture-dir") dir = argv[++i];
    else return Usage();
  }
  if (bundle.empty() && contact.empty() && dir.empty()) return Usage();

  if (!bundle.empty() || !dir.empty()) {
    PictureBundle pictures;
    for (const int resource : DrawnResources()) {
      int size = 0;
      for (const PictureRow& row : PictureTable)
        if (static_cast<int>(row.ResourceId) == resource && row.Slot == row.Id) size = static_cast<int>(row.Size);
      const CCanvas picture = DrawResource(resource, size);
      std::vector<std::uint8_t> png = EncodePng(picture);
      if (png.empty()) {
        std::fprintf(stderr, "picture_art: cannot encode resource %d\n", resource);
        return 1;
      }
      if (!dir.empty() && !WritePngFile(dir + "/" + std::to_string(resource) + ".png", picture)) {
        std::fprintf(stderr, "picture_art: cannot write into %s\n", dir.c_str());
        return 1;
      }
      pictures[static_cast<std::uint16_t>(resource)] = std::move(png);
    }
    if (!bundle.empty() && !WriteIfChanged(bundle, EncodeBundle(pictures))) {
      std::fprintf(stderr, "picture_art: cannot write %s\n", bundle.c_str());
      return 1;
    }
  }
  if (!contact.empty() && !WriteContactSheet(contact, atlas)) {
    std::fprintf(stderr, "picture_art: cannot write %s\n", contact.c_str());
    return 1;
  }
  return 0;
}

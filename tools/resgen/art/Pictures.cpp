#include "art/Pictures.h"

#include <algorithm>

#include "art/Effects.h"
#include "art/Figures.h"
#include "art/Floors.h"
#include "art/Interface.h"
#include "art/Items.h"
#include "platform/PictureTable.h"

bool IsDrawnResource(int resource) {
  static const int singles[] = {138, 139, 150, 151, 160, 132, 133, 199, 200};
  if (std::find(std::begin(singles), std::end(singles), resource) != std::end(singles)) return true;
  const std::vector<int>& areas = AreaResources();
  return IsGroundResource(resource) || std::find(areas.begin(), areas.end(), resource) != areas.end() ||
         IsMonsterResource(resource) || IsPlayerResource(resource) || IsWeaponResource(resource) || IsFrameResource(resource);
}

std::vector<int> DrawnResources() {
  std::vector<int> out;
  for (const PictureRow& row : PictureTable) {
    const int resource = static_cast<int>(row.ResourceId);
    if (row.Slot == row.Id && IsDrawnResource(resource) && std::find(out.begin(), out.end(), resource) == out.end())
      out.push_back(resource);
  }
  return out;
}

CCanvas DrawResource(int resource, int size) {
  CCanvas art(0, 0);
  if (IsGroundResource(resource)) art = DrawGround(resource, size);
  else if (IsMonsterResource(resource)) art = DrawMonsterSheet(resource);
  else if (IsPlayerResource(resource)) art = DrawPlayerSheet(resource);
  else if (IsWeaponResource(resource)) art = DrawWeaponSheet(resource);
  else if (IsFrameResource(resource)) art = DrawFramePicture(resource);
  else if (resource == 138) art = DrawInterfaceSheet();
  else if (resource == 139) art = DrawStatIcons();
  else if (resource == 150) art = DrawTitleSheet();
  else if (resource == 151) art = DrawSelectBackdrop();
  else if (resource == 160) art = DrawPortraits();
  else if (resource == 132 || resource == 133) art = DrawLogoCard(resource, size);
  else if (resource == 199) art = DrawBurstSheet();
  else if (resource == 200) art = DrawItemSheet();
  else art = DrawAreaSheet(resource);
  // Every picture is as large as its texture.
  CCanvas out(size, size);
  out.Draw(art, 0, 0, std::min(size, art.Width()), std::min(size, art.Height()), 0, 0, true);
  return out;
}

#include "floors/FloorImage.h"

#include <cstring>
#include <memory>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "floors/StageFactory.h"
#include "platform/CSaveFile.h"

namespace {

// Offsets in the image.
constexpr std::size_t TerrainAt = 0;
constexpr std::size_t CharacterFlagsAt = 6400;
constexpr std::size_t ItemFlagsAt = 12800;
constexpr std::size_t VisibleAt = 19200;
constexpr std::size_t ExploredAt = 20800;
constexpr std::size_t StageIdAt = 22400;
constexpr std::size_t AreaIdAt = 22404;
constexpr std::size_t WidthAt = 22408;
constexpr std::size_t HeightAt = 22412;
constexpr std::size_t CameraXAt = 22416;
constexpr std::size_t CameraYAt = 22420;
constexpr std::size_t PrevCameraXAt = 22424;
constexpr std::size_t PrevCameraYAt = 22428;
constexpr std::size_t ScrollCounterAt = 22432;
constexpr std::size_t TurnCounterAt = 22436;
constexpr std::size_t BgmTrackAt = 22440;
constexpr std::size_t BgmResourceIdAt = 22444;
constexpr std::size_t LightModeAt = 22448;
constexpr std::size_t EventFlagsAt = 22452;

// The random gallery request is never a floor of its own.
constexpr int GalleryRequestId = 800;

std::int32_t GetI32(const std::uint8_t* image, std::size_t at) {
  std::int32_t v;
  std::memcpy(&v, image + at, sizeof v);
  return v;
}

void PutI32(std::uint8_t* image, std::size_t at, std::int32_t v) { std::memcpy(image + at, &v, sizeof v); }

bool Within(std::int32_t v, std::int32_t low, std::int32_t high) { return v >= low && v <= high; }

}  // namespace

void PackFloorImage(std::uint8_t* image, const CStageData& floor) {
  for (int i = 0; i < StageCellCount; ++i) {
    PutI32(image, TerrainAt + 4 * i, static_cast<std::int32_t>(floor.terrain[i]));
    PutI32(image, CharacterFlagsAt + 4 * i, floor.characterAt[i] ? 1 : 0);
    PutI32(image, ItemFlagsAt + 4 * i, floor.itemAt[i] ? 1 : 0);
  }
  std::memcpy(image + VisibleAt, floor.visible, StageCellCount);
  std::memcpy(image + ExploredAt, floor.explored, StageCellCount);
  PutI32(image, StageIdAt, floor.StageId);
  PutI32(image, AreaIdAt, floor.AreaId);
  PutI32(image, WidthAt, floor.Width);
  PutI32(image, HeightAt, floor.Height);
  PutI32(image, CameraXAt, floor.CameraX);
  PutI32(image, CameraYAt, floor.CameraY);
  PutI32(image, PrevCameraXAt, floor.PrevCameraX);
  PutI32(image, PrevCameraYAt, floor.PrevCameraY);
  PutI32(image, ScrollCounterAt, floor.ScrollCounter);
  PutI32(image, TurnCounterAt, floor.TurnCounter);
  PutI32(image, BgmTrackAt, floor.BgmTrack);
  PutI32(image, BgmResourceIdAt, floor.BgmResourceId);
  PutI32(image, LightModeAt, floor.LightMode);
  std::memcpy(image + EventFlagsAt, floor.EventFlags, StageEventFlagCount);
}

bool IsSoundFloorImage(const std::uint8_t* image) {
  for (int i = 0; i < StageCellCount; ++i)
    if (!Within(GetI32(image, TerrainAt + 4 * i), TerrainRoom, TerrainRock)) return false;
  if (GetI32(image, WidthAt) != StageMapSize || GetI32(image, HeightAt) != StageMapSize) return false;
  for (std::size_t at : {CameraXAt, CameraYAt, PrevCameraXAt, PrevCameraYAt})
    if (!Within(GetI32(image, at), 0, StageMapSize - 1)) return false;
  if (!Within(GetI32(image, ScrollCounterAt), 0, ScrollFrameCount)) return false;
  if (!Within(GetI32(image, BgmTrackAt), -1, BgmTrackCount - 1)) return false;
  // The floor's turns count up from 0; the count wraps before it overflows.
  if (GetI32(image, TurnCounterAt) < 0) return false;
  return GetI32(image, StageIdAt) != GalleryRequestId;
}

void ApplySavedFloorImage(CStageData& floor, const std::uint8_t* image) {
  for (int i = 0; i < StageCellCount; ++i) floor.terrain[i] = static_cast<TerrainCode>(GetI32(image, TerrainAt + 4 * i));
  std::memcpy(floor.visible, image + VisibleAt, StageCellCount);
  std::memcpy(floor.explored, image + ExploredAt, StageCellCount);
  floor.StageId = GetI32(image, StageIdAt);
  floor.AreaId = GetI32(image, AreaIdAt);
  floor.Width = GetI32(image, WidthAt);
  floor.Height = GetI32(image, HeightAt);
  floor.CameraX = GetI32(image, CameraXAt);
  floor.CameraY = GetI32(image, CameraYAt);
  floor.PrevCameraX = GetI32(image, PrevCameraXAt);
  floor.PrevCameraY = GetI32(image, PrevCameraYAt);
  floor.ScrollCounter = GetI32(image, ScrollCounterAt);
  floor.TurnCounter = GetI32(image, TurnCounterAt);
  floor.BgmTrack = GetI32(image, BgmTrackAt);
  floor.BgmResourceId = GetI32(image, BgmResourceIdAt);
  floor.LightMode = GetI32(image, LightModeAt);
  std::memcpy(floor.EventFlags, image + EventFlagsAt, StageEventFlagCount);
}

CStageData* LoadSavedFloor(CSaveFile& file) {
  std::uint32_t length = 0;
  if (!file.Read(&length, sizeof length, nullptr) || length != FloorImageSize) return nullptr;
  const auto image = std::make_unique<std::uint8_t[]>(FloorImageSize);
  if (!file.Read(image.get(), FloorImageSize, nullptr)) return nullptr;
  if (!IsSoundFloorImage(image.get())) return nullptr;
  CStageData* floor = CreateStage(GetI32(image.get(), StageIdAt));
  if (!floor) return nullptr;
  ApplySavedFloorImage(*floor, image.get());
  // The characters and items come back from their own records.
  std::memset(floor->characterAt, 0, sizeof floor->characterAt);
  std::memset(floor->itemAt, 0, sizeof floor->itemAt);
  return floor;
}

bool CStageData::Save() {
  const auto image = std::make_unique<std::uint8_t[]>(FloorImageSize);  // zeroed
  PackFloorImage(image.get(), *this);
  CSaveFile& file = GetGameMain()->SaveFile;
  const std::uint32_t length = FloorImageSize;
  return file.Write(&length, sizeof length, nullptr) && file.Write(image.get(), FloorImageSize, nullptr);
}

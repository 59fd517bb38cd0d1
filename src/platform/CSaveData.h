#pragma once
#include <cstddef>
#include <cstdint>

class CSaveFile;

// The 8192-byte settings-and-progress block. Its bytes are the first 8192
// bytes of "save", so every offset below is part of the file format.
struct SaveBlock {
  std::uint32_t Reserved0;
  std::uint32_t Captured;
  std::uint32_t Reserved8;
  std::uint32_t DungeonClearedFlags[8];
  std::uint8_t Reserved44[8];
  std::uint8_t GameInProgress;
  std::uint8_t Reserved53[3];
  std::uint32_t DungeonIndex;
  std::uint32_t FloorNumber;
  std::uint32_t CharacterCount;
  std::uint32_t ItemCount;
  std::uint32_t BgmVolume;
  std::uint32_t SeVolume;
  std::uint32_t ControlType;
  std::uint32_t AutoAttack;
  std::uint32_t Language;
  std::uint32_t Reserved92;
  std::uint32_t GameSpeed;
  std::uint32_t SelectedClass;
  std::uint8_t ClearedWithClass[88];
  std::uint8_t Fullscreen;
  std::uint8_t Reserved193[3];
  std::uint32_t WindowScale;
  std::uint8_t Reserved200;
  std::uint8_t DungeonOpenNoticeShown[7];
  // The game generator as the suspended run was captured; CONTINUE goes on
  // from it, so a continued run draws what the uninterrupted one would.
  std::uint32_t RandomState;
  std::uint32_t PlayTime;
  std::uint32_t TurnCount;
  std::uint8_t Reserved220[7972];
};
static_assert(sizeof(SaveBlock) == 8192);
static_assert(offsetof(SaveBlock, GameInProgress) == 52);
static_assert(offsetof(SaveBlock, ClearedWithClass) == 104);
static_assert(offsetof(SaveBlock, Fullscreen) == 192);
static_assert(offsetof(SaveBlock, WindowScale) == 196);
static_assert(offsetof(SaveBlock, DungeonOpenNoticeShown) == 201);
static_assert(offsetof(SaveBlock, RandomState) == 208);
static_assert(offsetof(SaveBlock, PlayTime) == 212);
static_assert(offsetof(SaveBlock, TurnCount) == 216);

class CSaveData {
public:
  CSaveData();
  virtual ~CSaveData() = default;
  // Writes the block to the open file; false when not all of it was written.
  virtual bool Save(CSaveFile& file);
  // Reads the block from the open file; a short read changes nothing.
  virtual bool Load(CSaveFile& file);

  SaveBlock Block;
};

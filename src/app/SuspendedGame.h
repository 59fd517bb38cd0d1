#pragma once
// The suspended run as last captured, kept beside the block of the save
// image in the order "save" holds it: the floor image, the character
// records (each followed in the file by the items it carries, taken in
// order from the carried items) and the items lying on the floor. The areas
// keep their room from capture to capture, so a turn's capture allocates
// nothing once they have grown to the floor's size.
#include <cstdint>
#include <vector>

#include "characters/CharacterRecord.h"
#include "items/ItemRecord.h"

struct SuspendedGameImage {
  SuspendedGameImage() {
    Floor.reserve(65536);
    Characters.reserve(1600);
    CarriedItems.reserve(64);
    LooseItems.reserve(1600);
  }
  void Clear() {
    Floor.clear();
    Characters.clear();
    CarriedItems.clear();
    LooseItems.clear();
  }

  std::vector<std::uint8_t> Floor;
  std::vector<CharacterRecord> Characters;
  std::vector<ItemRecord> CarriedItems;
  std::vector<ItemRecord> LooseItems;
};

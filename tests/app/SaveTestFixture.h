#pragma once
// A game object of its own on a folder of its own; the singletons the save
// code touches (input bindings, volumes, the identify table) are put back.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "app/CGameMain.h"
#include "items/IdentifyTable.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/SaveTestSupport.h"

class SaveGameFixture : public ::testing::Test {
protected:
  SaveGameFixture() : game(std::make_unique<CGameMain>()) {
    CMyInput* input = GetInput();
    std::memcpy(keys, input->KeyBindingTable, sizeof keys);
    std::memcpy(pads, input->PadBindingMatrix, sizeof pads);
    bgm = GetSoundManager()->BgmMasterVolume;
    se = GetSoundManager()->SeMasterVolume;
    ResetSingletons();
  }
  ~SaveGameFixture() override {
    CMyInput* input = GetInput();
    std::memcpy(input->KeyBindingTable, keys, sizeof keys);
    std::memcpy(input->PadBindingMatrix, pads, sizeof pads);
    GetSoundManager()->BgmMasterVolume = bgm;
    GetSoundManager()->SeMasterVolume = se;
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
  }

  // Built-in bindings, volumes at 80, nothing identified: as at start-up.
  static void ResetSingletons() {
    const CMyInput fresh;
    std::memcpy(GetInput()->KeyBindingTable, fresh.KeyBindingTable, sizeof fresh.KeyBindingTable);
    std::memcpy(GetInput()->PadBindingMatrix, fresh.PadBindingMatrix, sizeof fresh.PadBindingMatrix);
    GetSoundManager()->BgmMasterVolume = 80;
    GetSoundManager()->SeMasterVolume = 80;
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
  }

  static Bytes BlockBytes(const CSaveData& data) {
    const auto* p = reinterpret_cast<const unsigned char*>(&data.Block);
    return Bytes(p, p + sizeof(SaveBlock));
  }

  TempGameFolder folder;
  std::unique_ptr<CGameMain> game;

private:
  std::uint32_t keys[19];
  std::uint8_t pads[15][10];
  int bgm, se;
};

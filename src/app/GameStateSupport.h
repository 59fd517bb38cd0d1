#pragma once
// What the in-dungeon states share besides their base class.
#include "platform/TextTable.h"

class CCharacterPlayer;
class CGameMain;
class CStageData;

// The in-dungeon states run only while there is a floor and a player.
bool IsInPlay();
CCharacterPlayer* PlayingPlayer();
CStageData* PlayingStage();

// Forgets every pointer press not yet read: the run and the floor's
// scripted events stop whatever the pointer had asked for.
void ConsumePointerPresses();

// A scripted floor's message for the player's cell; when one fires the run
// stops and pending pointer presses are dropped.
void RunFloorEvent();

// The play screen's message window: a text of the table with `name` for its
// "%s", replacing what is shown or added under it.
void ShowMessageWith(TextId id, const char* name);
void AddMessageWith(TextId id, const char* name);

// The bag takes the item under the player, with its sound, message and the
// item rising over the cell; a full bag leaves it (or what the bag did not
// take) lying there.
void TakeItemUnderPlayer();

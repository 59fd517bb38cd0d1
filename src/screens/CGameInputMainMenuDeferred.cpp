// What the menu's choices do once its closing wait has run: drop, pick up,
// throw, craft and the stairs. Each ends the player's turn through the turn
// states; the stairs hand over to the next-floor question.
#include <algorithm>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/GameStateSupport.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/Combine.h"
#include "items/RecipeTables.h"
#include "platform/CSoundManager.h"
#include "screens/CGameInputMainMenu.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr TextId DroppedText = 650, MadeText = 652, EnchantedText = 654, NotItText = 729;
constexpr SoundEffectId CraftSound = 52;
constexpr ScreenId NextFloorQuestion = 23;

void EndTurn(CCharacterPlayer* player) {
  GetStateController()->ChangeState(StateEnemyMove);
  if (player) player->actionPoints = 0;
}

int PlaceOf(const CCharacterPlayer& player, const CItem* item) {
  for (int place = 0; place < InventorySize; ++place)
    if (player.GetItem(place) == item) return place;
  return NoSlot;
}

// An ingredient used up leaves the bag and is deleted; true when it went.
bool RemoveIfUsedUp(CCharacterPlayer& player, CItem* item) {
  if (item->GetCount() > 0) return false;
  player.RemoveItem(item);
  delete item;
  return true;
}

}  // namespace

void CGameInputMainMenu::DoDrop() {
  CCharacterPlayer* player = GetGameMain()->Player;
  CStageData* stage = GetGameMain()->CurrentStage;
  const int index = GetSelectedItemIndex();
  // Only a carried item drops; one that finds no cell stays in the bag.
  CItem* item = player && stage && index >= 0 ? player->GetItem(index) : nullptr;
  if (item && stage->DropItemNearForced(player->GetX(), player->GetY(), item)) {
    player->RemoveItemAt(index);
    char name[ItemTextSize];
    ShowMessageWith(DroppedText, item->GetNameWithCount(name, sizeof name));
  }
  EndTurn(player);
}

void CGameInputMainMenu::DoPick() {
  if (IsInPlay()) TakeItemUnderPlayer();
  EndTurn(GetGameMain()->Player);
}

// The throwing pose holds the action state; the flight reads the slot.
void CGameInputMainMenu::DoThrow() {
  CCharacterPlayer* player = GetGameMain()->Player;
  GetStateController()->ChangeState(StatePlayerAction);
  if (!player) return;
  player->actionPoints = 0;
  player->SetSelectedItem(GetSelectedItemIndex());
  player->SetAnimation(AnimationThrow);
}

void CGameInputMainMenu::DoStairs() {
  Detach();
  GetGameInputController()->PushChild(NextFloorQuestion);
}

// CraftCount crafts, or as many as the ingredients allow. A stackable result
// holds the whole run in one stack; an unstackable one is made once a pass.
// Everything that can refuse is asked before anything is taken.
void CGameInputMainMenu::DoCraft() {
  CCharacterPlayer* player = GetGameMain()->Player;
  CStageData* stage = GetGameMain()->CurrentStage;
  const PickedItem firstPick = GetPickItem(FirstPick, false), secondPick = GetPickItem(SecondPick, true);
  if (!player || !stage || !firstPick || !secondPick || firstPick.IsPlaceholder() || secondPick.IsPlaceholder()) {
    EndTurn(player);
    return;
  }
  CItem* first = firstPick.Get();
  CItem* second = secondPick.Get();
  if (!CheckTutorialCraft(TutorialStep, FindRecipe(GetRecipeList(), first->GetId(), second->GetId()))) {
    GetGameInputMain()->ShowMessage(GetCurrentLanguageText(NotItText));
    EndTurn(player);
    return;
  }
  const bool sameStack = first == second;
  int remaining = std::min<int>(CraftCount, GetCraftLimit());
  char lastName[ItemTextSize] = {};
  bool lastIsNew = false;
  while (remaining > 0) {
    const int recipe = FindRecipeIndex(first->GetId(), second->GetId());
    const RecipeNeeds needs = GetRecipeNeeds(recipe, first->GetId());
    auto holdsFor = [&](int k) {
      if (sameStack) return first->GetCount() >= (needs.First + needs.Second) * k;
      return first->GetCount() >= needs.First * k && second->GetCount() >= needs.Second * k;
    };
    CItem* preview = PreviewCombineItems(first, second, player);
    if (!preview) break;
    const bool isNew = recipe >= 0;
    const int n = preview->GetCount(), stackLimit = preview->GetStackLimit();
    // A new result takes as many crafts as remain, fit its stack and are held for.
    int crafts = 1;
    while (isNew && crafts < remaining && std::int64_t{n} * (crafts + 1) <= stackLimit && holdsFor(crafts + 1))
      ++crafts;
    const bool firstLeft = first->GetCount() > (sameStack ? needs.First + needs.Second : needs.First) * crafts;
    const bool secondLeft = sameStack ? firstLeft : second->GetCount() > needs.Second * crafts;
    const bool equip = (first->IsEquipped() && preview->GetCategory() == first->GetCategory()) ||
                       (second->IsEquipped() && preview->GetCategory() == second->GetCategory());
    bool room = true;
    if (isNew) {
      preview->SetCount(n * crafts);
      const bool wornPlaceFrees =
          equip && ((first->IsEquipped() && !firstLeft) || (second->IsEquipped() && !secondLeft));
      room = n >= 1 && stackLimit >= 1 &&
             (wornPlaceFrees || stage->HasRoomForItem() ||
              player->BagWouldTakeWhole(preview, firstLeft ? NoSlot : PlaceOf(*player, first),
                                        secondLeft ? NoSlot : PlaceOf(*player, second)));
    }
    delete preview;
    if (!room) break;
    CItem* result = CombineItems(first, second, player);
    if (!result) break;  // nothing was taken
    int done = 1;
    for (; isNew && done < crafts && holdsFor(1); ++done) {
      first->SetCount(first->GetCount() - needs.First);
      second->SetCount(second->GetCount() - needs.Second);
      result->SetCount(n * (done + 1));
    }
    remaining -= done;
    result->GetName(lastName, sizeof lastName);
    lastIsNew = isNew;
    bool usedUp = RemoveIfUsedUp(*player, first);
    if (!sameStack) usedUp = RemoveIfUsedUp(*player, second) || usedUp;
    if (isNew && !(equip && player->Equip(result)) && !player->AddItem(result) &&
        !stage->DropItemNearForced(player->GetX(), player->GetY(), result))
      delete result;  // not reached: the room was asked for above
    if (usedUp) break;
  }
  if (lastName[0] != '\0') {
    ShowMessageWith(lastIsNew ? MadeText : EnchantedText, lastName);
    GetSoundManager()->PlaySe(CraftSound);
  }
  EndTurn(player);
}

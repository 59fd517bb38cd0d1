// The craft page brought into line with the menu's fields and the player's
// belongings, and its drawing. The items its previews show (the book's
// results and ingredients, the result of the picks, stones not held) are
// made once per refresh and drawn every frame from there.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/Combine.h"
#include "items/ItemCatalogue.h"
#include "items/ItemFactory.h"
#include "items/RecipeTables.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"

namespace {

constexpr TextId MaterialTabText = 1393, RecipeTabText = 1394, EnchantTabText = 1395, ItemListText = 1396,
                 EquipmentListText = 1397, FirstMaterialText = 1387, SecondMaterialText = 1388, BaseText = 1389,
                 StoneText = 1390, CancelText = 1391, CraftText = 1392, EnchantText = 1411, NotEnoughText = 1415,
                 HowManyText = 1417, SureText = 1418;
constexpr int BookCells = 57, BookThumbRows = 9;

void SetLevel(CWidget& w, int level) { w.SetColour(level, level, level); }
void Bright(CWidget& w, bool on) { SetLevel(w, on ? 255 : 128); }
void Choosable(CWidget& w, bool on) {
  w.SetEnabled(on);
  Bright(w, on);
}
void SetNumber(CWidget& w, int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", n);
  w.SetText(text);
}
// The CANCEL / CRAFT pair: the selected one white, the other grey.
void ShadePair(CWidget& cancel, CWidget& craft) {
  Bright(cancel, cancel.IsSelected());
  Bright(craft, craft.IsSelected());
}
void DrawCentred(const CItem* item, const CWidget& w, int level, int alpha, bool withCount) {
  if (!item) return;
  const int x = w.GetX() + w.Width / 2, y = w.GetY() + w.Height / 2;
  if (withCount)
    item->DrawIconWithCountTinted(x, y, level, level, level, alpha);
  else
    item->DrawIconTinted(x, y, level, level, level, alpha);
}
void DrawAndCaption(std::initializer_list<CWidget*> widgets) {
  for (CWidget* w : widgets) w->Draw();
  for (CWidget* w : widgets) w->DrawCaption();
}

CCharacterPlayer* Player() { return GetGameMain()->Player; }

// The held count of `id` over the stacks that hold at least `need` each.
int HeldInStacksOf(int id, int need) {
  const CCharacterPlayer* player = Player();
  int sum = 0;
  for (int i = 0; player && player->GetItemAt(i); ++i)
    if (const CItem* item = player->GetItemAt(i); item->GetId() == id && item->GetCount() >= need)
      sum += item->GetCount();
  return sum;
}

// An item of the id with `count`; null for an id without an item.
CItem* MakeCounted(int id, int count) {
  CItem* item = id < 0 ? nullptr : CreateItem(id);
  if (item) item->SetCount(count);
  return item;
}

}  // namespace

PickView CGameInputMainMenu::ViewPick(int index, bool second) {
  if (index < 0) return {};
  if (!second || GetCraftKind() != CraftKindEnchant) return {GetPickItem(index, false).Get(), false};
  if (CItem* held = GetHeldMagicStone(index)) return {held, false};
  if (index >= MagicStoneCount) return {};
  std::unique_ptr<CItem>& placeholder = Previews.StonePlaceholders[index];
  if (!placeholder) placeholder.reset(CreateItem(GetMagicStoneIdAt(index)));
  return {placeholder.get(), true};
}

void CGameInputMainMenu::RefreshCraftPage() {
  const int kind = GetCraftKind();
  MaterialPagePanel.SetVisible(kind == CraftKindMaterial || kind == CraftKindEnchant);
  RecipePagePanel.SetVisible(kind == CraftKindRecipe);
  const int firstCandidates = ChosenRecipe == -1 ? 0 : CountFirstIngredientCandidates();
  const int secondCandidates = ChosenRecipe == -1 ? 0 : CountSecondIngredientCandidates();
  const bool oneKindTwice = ChosenRecipe != -1 && GetRecipeFirstId(ChosenRecipe) == GetRecipeSecondId(ChosenRecipe);
  const bool bothPicked = FirstPick != -1 && SecondPick != -1;
  // The grid of candidates, unless the one stack of a kind used twice was picked for both.
  if (ChosenRecipe != -1 && !bothPicked && firstCandidates > 0 && secondCandidates > 0 &&
      !(oneKindTwice && firstCandidates == 1))
    MaterialPagePanel.SetVisible(true);

  // Fonts and fixed captions, in the language of the moment.
  const bool english = GetGameMain()->Settings.Block.Language == LanguageEnglish;
  for (CWidget* w : {&Recipe.ListTabs[0], &Recipe.ListTabs[1], static_cast<CWidget*>(&Material.ResultWindow),
                     static_cast<CWidget*>(&Material.ResultDescription), static_cast<CWidget*>(&Material.NumberBox),
                     static_cast<CWidget*>(&Material.CountCancel), static_cast<CWidget*>(&Material.CountCraft)})
    CWidget::SetCaptionFont(*w, &GetGameMain()->Fonts[english ? 2 : 6], english ? 1.0 : 0.5);
  // The note's buttons are drawn at a smaller scale than the page's.
  for (CWidget* w : {&Material.PreviewCancel, &Material.PreviewCraft})
    CWidget::SetCaptionFont(*w, &GetGameMain()->Fonts[english ? 2 : 6], (english ? 4.0 : 2.0) / w->GetScaleX());
  // The note's title, half size in its strip: font 2's letters are too
  // narrow for that, its kana are not.
  CWidget::SetCaptionFont(Material.PreviewTitle, &GetGameMain()->Fonts[english ? 1 : 2],
                          2.0 / Material.PreviewTitle.GetScaleX());
  for (CWidget* w : {static_cast<CWidget*>(&Material.CountCancel), static_cast<CWidget*>(&Recipe.CancelButton),
                     &Material.PreviewCancel})
    w->SetText(GetCurrentLanguageText(CancelText));
  for (CWidget* w : {static_cast<CWidget*>(&Material.CountCraft), static_cast<CWidget*>(&Recipe.CraftButton),
                     &Material.PreviewCraft})
    w->SetText(GetCurrentLanguageText(CraftText));
  Material.MessageLine.SetText(GetCurrentLanguageText(NotEnoughText));
  Recipe.MessageLine.SetText(GetCurrentLanguageText(NotEnoughText));
  const TextId tabTexts[3] = {MaterialTabText, RecipeTabText, EnchantTabText};
  for (int i = 0; i < 3; ++i) CraftTabs[i].SetText(GetCurrentLanguageText(tabTexts[i]));
  Recipe.ListTabs[0].SetText(GetCurrentLanguageText(ItemListText));
  Recipe.ListTabs[1].SetText(GetCurrentLanguageText(EquipmentListText));
  for (int i = 0; i < 11; ++i) SetLevel(Recipe.CategoryIcons[i], i == RecipeBookPage ? 255 : 64);

  // The enchantment note: its question waits for both picks.
  Material.Preview.SetVisible(kind == CraftKindEnchant);
  Material.PreviewTitle.SetText(GetCurrentLanguageText(EnchantText));
  Material.Preview.SetText("");
  SetNumber(Material.PreviewNumber, CraftCount);
  for (CWidget& arrow : Material.PreviewArrows) arrow.SetVisible(false);
  Bright(Material.PreviewCancel, true);
  Choosable(Material.PreviewCraft, false);

  // The pick slots and the material confirmation.
  Material.ChosenIcons[0].SetSelected(FirstPick == -1);
  Material.ChosenIcons[1].SetSelected(FirstPick != -1 && SecondPick == -1);
  Material.CountWindow.SetVisible(bothPicked);
  Material.ResultDescription.SetVisible(bothPicked);
  // Each confirmation's shade darkens the page only while it asks.
  Material.PageShade.SetVisible(bothPicked);

  // Cursor boxes.
  const CWidget* pickCell = GetPickCellWidget(CraftListCursor);
  Material.ListCursor.X = pickCell ? pickCell->X : -1000;
  Material.ListCursor.Y = pickCell ? pickCell->Y : -1000;
  const CWidget& bookCell = Recipe.Cells[std::clamp(RecipeBookCursor, 0, BookCells - 1)];
  Recipe.ListCursor.X = bookCell.X;
  Recipe.ListCursor.Y = bookCell.Y;
  RefreshBookThumb();
  RefreshPickSlots();
  RefreshPickGrid();
  RefreshRecipeBook();

  // The chosen recipe's panel and its confirmation.
  Recipe.DialogShade.SetVisible(ChosenRecipe != -1);
  const PickView onlyFirst{GetFirstIngredientCandidate(0), false};
  Recipe.CountWindow.SetVisible(
      ChosenRecipe != -1 &&
      (firstCandidates == 0 || secondCandidates == 0 ||
       (oneKindTwice && firstCandidates == 1 && onlyFirst.Item && onlyFirst.Item->GetCount() < 2) || bothPicked));
  Recipe.PageShade.SetVisible(Recipe.CountWindow.Visible);
  if (ChosenRecipe == -1 && bothPicked) RefreshMaterialConfirmation();
  if (Recipe.CountWindow.Visible) RefreshRecipeConfirmation();
  RefreshCraftPreviews();
}

// As long as the track for 9 recipes or fewer, shorter in proportion above.
void CGameInputMainMenu::RefreshBookThumb() {
  const int recipes = CountRecipesOnPage(RecipeBookPage);
  const CWidget& track = Recipe.ScrollTrack;
  CWidget& thumb = Recipe.ScrollThumb;
  const int length = recipes <= BookThumbRows ? track.Height : track.Height * BookThumbRows / recipes;
  CWidget::SetCellAllStates(thumb, 0, 7, 460, 280, 15, length / 2, 60);
  thumb.Height = length;
  Recipe.ScrollThumbEnd.Y = length - 4;
  if (thumb.Y < track.Y) thumb.Y = track.Y;
  if (thumb.Y + length > track.Y + track.Height) thumb.Y = track.Y + track.Height - length;
}

void CGameInputMainMenu::RefreshPickSlots() {
  const bool enchant = GetCraftKind() == CraftKindEnchant;
  const TextId labels[2] = {enchant ? BaseText : FirstMaterialText, enchant ? StoneText : SecondMaterialText};
  int widest = 0;
  for (int i = 0; i < 2; ++i) {
    const char* label = GetCurrentLanguageText(labels[i]);
    Material.ChosenRows[i].SetText(label);
    const int width = GetGameMain()->Fonts[2].GetTextWidth(label, static_cast<int>(std::strlen(label)));
    widest = std::max(widest, static_cast<int>(width * Material.ChosenRows[i].GetScaleX()));
  }
  for (int i = 0; i < 2; ++i) {
    const int pick = i == 0 ? FirstPick : SecondPick;
    const PickView shown = i == 1 && FirstPick == -1 ? PickView{} : ViewPick(pick != -1 ? pick : CraftListCursor, i == 1);
    char name[ItemTextSize] = {};
    if (shown.Item) shown.Item->GetDisplayName(name, sizeof name);
    Material.ChosenNames[i].SetText(name);
    Bright(Material.ChosenIcons[i], !shown.Placeholder);
    Bright(Material.ChosenNames[i], !shown.Placeholder);
    Material.ChosenIcons[i].X = Material.ChosenNames[i].X = widest + 24;
  }
}

void CGameInputMainMenu::RefreshPickGrid() {
  const bool stones = ChoosingStone();
  LayoutPickCells(stones ? 1 : 0);
  const int which = GetCraftKind() != CraftKindEnchant && FirstPick != -1 ? 1 : stones ? 1 : 0;
  for (int r = 0; r < GridCells; ++r) {
    if (!GetPickCellWidget(r)) continue;
    const PickView view = ViewPick(r, which == 1);
    Choosable(Material.GridCells[r], view.Item && !view.Placeholder && CanPickItem(which, view.Item));
  }
}

// Every result of the page with its makeable shade; the entry under the
// cursor also fills the details and the ingredient preview.
void CGameInputMainMenu::RefreshRecipeBook() {
  Recipe.MaterialRows[0].SetText(GetCurrentLanguageText(FirstMaterialText));
  Recipe.MaterialRows[1].SetText(GetCurrentLanguageText(SecondMaterialText));
  const int page = RecipeBookPage;
  char text[ItemTextSize];
  for (int c = 0; c < BookCells; ++c) {
    const int entry = RecipeBookScroll + c;
    Previews.BookIcons[c].reset(MakeCounted(GetPageRecipeResultId(page, entry), 1));
    const CItem* result = Previews.BookIcons[c].get();
    if (c == RecipeBookCursor && result) {
      Recipe.DescriptionWindow.SetText(result->GetStatusText(text, sizeof text));
      Recipe.ResultWindow.SetText(result->GetNameWithCount(text, sizeof text));
    }
    const int firstId = GetPageRecipeFirstId(page, entry), secondId = GetPageRecipeSecondId(page, entry);
    const int sumA = HeldInStacksOf(firstId, GetPageRecipeFirstCount(page, entry));
    const int sumB = HeldInStacksOf(secondId, GetPageRecipeSecondCount(page, entry));
    const bool makeable = result && sumA >= 1 && sumB >= (firstId == secondId ? 2 : 1);
    Bright(Recipe.Cells[c], makeable);
  }
  // What the entry under the cursor takes and makes; a cursor past the
  // page's entries shows nothing.
  const int entry = RecipeBookCursor;
  const bool onEntry = entry >= 0 && entry < CountRecipesOnPage(page);
  Previews.BookFirst.reset(MakeCounted(GetPageRecipeFirstId(page, entry), onEntry ? GetPageRecipeFirstCount(page, entry) : 1));
  Previews.BookSecond.reset(
      MakeCounted(GetPageRecipeSecondId(page, entry), onEntry ? GetPageRecipeSecondCount(page, entry) : 1));
  Previews.BookResult.reset(PreviewCombineItems(Previews.BookFirst.get(), Previews.BookSecond.get(), Player()));
  const CItem* ingredients[2] = {Previews.BookFirst.get(), Previews.BookSecond.get()};
  for (int i = 0; i < 2; ++i)
    Recipe.MaterialNames[i].SetText(ingredients[i] && Recipe.MaterialNames[i].IsVisible()
                                        ? ingredients[i]->GetNameWithCount(text, sizeof text)
                                        : "");
  if (const CItem* result = Previews.BookResult.get(); result && Recipe.ResultWindow.IsVisible()) {
    Recipe.ResultWindow.SetText(result->GetNameWithCount(text, sizeof text));
  } else {
    Recipe.ResultWindow.SetText("");
    Recipe.DescriptionWindow.SetText("");
  }
}

// Before the first pick slot 1 shows the item under the cursor, after it
// slot 2 does; the result they would make shows under them.
void CGameInputMainMenu::RefreshCraftPreviews() {
  MaterialPageWidgets& m = Material;
  Previews.Slots[0] = ViewPick(FirstPick == -1 ? CraftListCursor : FirstPick, false);
  Previews.Slots[1] = FirstPick == -1 ? PickView{} : ViewPick(SecondPick == -1 ? CraftListCursor : SecondPick, true);
  // Once both are picked the confirmation has made and shown their result
  // and shaded the slots by what each craft takes.
  if (ChosenRecipe == -1 && FirstPick != -1 && SecondPick != -1) return;
  Previews.CursorResult.reset(PreviewCombineItems(Previews.Slots[0].Item, Previews.Slots[1].Item, Player()));
  char text[ItemTextSize];
  for (int i = 0; i < 2; ++i) {
    const PickView& p = Previews.Slots[i];
    CWidget& name = m.ChosenNames[i];
    if (!p.Item) {
      name.SetText("");
      continue;
    }
    SetLevel(name, !p.Placeholder && CanPickItem(i, p.Item) ? 255 : 128);
    if (name.GetText()[0] == '\0') name.SetText(p.Item->GetName(text, sizeof text));
  }
  if (!m.ResultWindow.IsVisible()) return;
  const CItem* result = Previews.CursorResult.get();
  m.ResultWindow.SetText(result ? result->GetNameWithCount(text, sizeof text) : "");
  m.ResultDescription.SetText(result ? result->GetStatusText(text, sizeof text) : "");
}

void CGameInputMainMenu::RefreshMaterialConfirmation() {
  MaterialPageWidgets& m = Material;
  ShadePair(m.CountCancel, m.CountCraft);
  const PickView a = ViewPick(FirstPick, false), b = ViewPick(SecondPick, true);
  Previews.CursorResult.reset();
  if (!a.Item || !b.Item) return;
  RecipeNeeds needs{1, 1};
  if (const int r = FindRecipeIndex(a.Item->GetId(), b.Item->GetId()); r >= 0) needs = GetRecipeNeeds(r, a.Item->GetId());
  const bool sameStack = a.Item == b.Item;
  const bool enoughA = a.Item->GetCount() >= needs.First + (sameStack ? needs.Second : 0);
  const bool enoughB = b.Item->GetCount() >= needs.Second;
  const bool possible = (GetCraftKind() == CraftKindMaterial || GetEnchantProblem() == 0) && enoughA && enoughB;
  Choosable(m.PreviewCraft, possible);
  // The notice takes the count box's place.
  m.NumberBox.SetVisible(possible);
  m.CountCancel.SetVisible(possible);
  m.CountCraft.SetVisible(possible);
  m.MessageLine.SetVisible(!possible);
  if (!possible) {
    m.CountCancel.SetSelected(true);
    m.CountCraft.SetSelected(false);
  }
  if (!enoughA) {
    SetLevel(m.ChosenIcons[0], 128);
    SetLevel(m.ChosenNames[0], 128);
  }
  if (!enoughB) {
    SetLevel(m.ChosenIcons[1], 128);
    SetLevel(m.ChosenNames[1], 128);
  }
  // ENCHANT shows a stone that cannot go in on a bare base of the same kind.
  std::unique_ptr<CItem> bareBase;
  const CItem* base = a.Item;
  if (GetCraftKind() == CraftKindEnchant &&
      (a.Item->CountEnchantments() == a.Item->GetEnchantSlotCount() || GetEnchantProblem() == 4)) {
    bareBase.reset(CreateItem(a.Item->GetId()));
    if (bareBase) base = bareBase.get();
  }
  Previews.CursorResult.reset(PreviewCombineItems(base, b.Item, Player()));
  char text[ItemTextSize];
  if (const CItem* r = Previews.CursorResult.get()) {
    m.ResultWindow.SetText(r->GetNameWithCount(text, sizeof text));
    text[0] = '\n';
    r->GetStatusText(text + 1, sizeof text - 1);
    m.ResultDescription.SetText(text);
  } else {
    m.ResultWindow.SetText("");
    m.ResultDescription.SetText("");
  }
  const TextId question = GetCraftKind() == CraftKindEnchant ? SureText : HowManyText;
  m.CountWindow.SetText(possible ? GetCurrentLanguageText(question) : "");
  m.Preview.SetText(GetCurrentLanguageText(possible ? question : NotEnoughText));
  SetNumber(m.NumberBox, CraftCount);
  const int limit = GetCraftLimit();
  for (CWidget* arrows : {m.NumberArrows, m.PreviewArrows}) {
    arrows[0].SetVisible(CraftCount < limit);
    arrows[1].SetVisible(CraftCount > 1);
  }
  // The names show what one craft takes, not what is held.
  const PickView picks[2] = {a, b};
  const int need[2] = {needs.First, needs.Second};
  for (int i = 0; i < 2; ++i) {
    CItem* item = picks[i].Item;
    const int held = item->GetCount();
    item->SetCount(need[i]);
    m.ChosenNames[i].SetText(item->GetNameWithCount(text, sizeof text));
    item->SetCount(held);
  }
}

void CGameInputMainMenu::RefreshRecipeConfirmation() {
  RecipePageWidgets& r = Recipe;
  const bool bothPicked = FirstPick != -1 && SecondPick != -1;
  r.NumberBox.SetVisible(bothPicked);
  r.CancelButton.SetVisible(bothPicked);
  r.CraftButton.SetVisible(bothPicked);
  r.MessageLine.SetVisible(!bothPicked);
  ShadePair(r.CancelButton, r.CraftButton);
  r.CountWindow.SetText(bothPicked ? GetCurrentLanguageText(HowManyText) : "");
  SetNumber(r.NumberBox, CraftCount);
  const int limit = GetCraftLimit();
  r.NumberArrows[0].SetVisible(CraftCount < limit);
  r.NumberArrows[1].SetVisible(CraftCount > 1);
}

// ---- Drawing

void CGameInputMainMenu::DrawCraftPage(int pass) {
  if (pass == 0) {
    DrawCraftDetails();
    return;
  }
  for (int i = 0; i < 3; ++i) {
    CraftTabs[i].Draw();
    CraftTabs[i].DrawCaption();
  }
  for (CWidget& edge : CraftTabEdges) edge.Draw();
  CraftChooser.Draw();
  CraftChooser.DrawCaption();
  for (CWidget& row : CraftChooserRows) row.DrawCaption();
  CraftChooserCursor.Draw();
  RecipePageWidgets& r = Recipe;
  r.CategoryBar.Draw();
  DrawAndCaption({&r.CategoryKeys[0], &r.CategoryKeys[1]});
  for (CWidget& label : r.CategoryIcons) label.Draw();
  DrawAndCaption({&r.ListTabs[0], &r.ListTabs[1]});
  for (CWidget* w : {&r.ScrollTrack, &r.ScrollUp, &r.ScrollDown, &r.ScrollThumb, &r.ScrollThumbEnd}) w->Draw();
  for (CWidget& cell : r.Cells) cell.Draw();
  r.ListCursor.Draw();
  for (int c = 0; c < BookCells; ++c)
    if (r.Cells[c].IsVisible())
      DrawCentred(Previews.BookIcons[c].get(), r.Cells[c], r.Cells[c].GetRed(), r.Cells[c].GetAlpha(), false);
  r.PageShade.Draw();
  for (CWidget* w : {static_cast<CWidget*>(&r.CountWindow), &r.MessageLine, static_cast<CWidget*>(&r.NumberBox),
                     &r.NumberArrows[0], &r.NumberArrows[1], static_cast<CWidget*>(&r.CancelButton),
                     static_cast<CWidget*>(&r.CraftButton)})
    w->Draw();
  for (CWidget* w : {static_cast<CWidget*>(&r.CountWindow), static_cast<CWidget*>(&r.NumberBox),
                     static_cast<CWidget*>(&r.CancelButton), static_cast<CWidget*>(&r.CraftButton), &r.MessageLine})
    w->DrawCaption();

  MaterialPageWidgets& m = Material;
  const bool second = FirstPick != -1;
  for (int c = 0; c < GridCells; ++c) {
    CWidget& cell = m.GridCells[c];
    cell.Draw();
    if (cell.IsVisible()) DrawCentred(ViewPick(c, second).Item, cell, cell.GetRed(), cell.GetAlpha(), true);
  }
  m.ListCursor.Draw();
  CWidget* note[] = {&m.Preview, &m.PreviewTitle, &m.PreviewNumber, &m.PreviewArrows[0], &m.PreviewArrows[1],
                     &m.PreviewCancel, &m.PreviewCraft};
  for (CWidget* w : note) w->Draw();
  for (CWidget* w : {&m.Preview, &m.PreviewTitle, &m.PreviewNumber, &m.PreviewCancel, &m.PreviewCraft})
    w->DrawCaption();
  m.PageShade.Draw();
  for (CWidget* w : {static_cast<CWidget*>(&m.CountWindow), static_cast<CWidget*>(&m.NumberBox), &m.NumberArrows[0],
                     &m.NumberArrows[1], static_cast<CWidget*>(&m.CountCancel), static_cast<CWidget*>(&m.CountCraft)})
    w->Draw();
  for (CWidget* w : {static_cast<CWidget*>(&m.CountWindow), static_cast<CWidget*>(&m.NumberBox),
                     static_cast<CWidget*>(&m.CountCancel), static_cast<CWidget*>(&m.CountCraft), &m.MessageLine})
    w->DrawCaption();
}

// The book's detail and ingredient rows, then the pick slots and the
// result of the picks.
void CGameInputMainMenu::DrawCraftDetails() {
  RecipePageWidgets& r = Recipe;
  r.Backdrop.Draw();
  for (CWidget* w : {static_cast<CWidget*>(&r.DescriptionWindow), static_cast<CWidget*>(&r.ResultWindow),
                     static_cast<CWidget*>(&r.MaterialRows[0]), static_cast<CWidget*>(&r.MaterialRows[1])})
    w->Draw();
  const CItem* ingredients[2] = {Previews.BookFirst.get(), Previews.BookSecond.get()};
  for (int i = 0; i < 2; ++i)
    if (ingredients[i] && r.MaterialNames[i].IsVisible())
      ingredients[i]->DrawIcon(r.MaterialNames[i].GetX() + 40, r.MaterialNames[i].GetY() + r.MaterialNames[i].Height / 2);
  if (const CItem* result = Previews.BookResult.get(); result && r.ResultWindow.IsVisible())
    result->DrawIcon(r.ResultWindow.GetX() + 40, r.ResultWindow.GetY() + r.ResultWindow.Height / 2);
  for (CWidget* w : {static_cast<CWidget*>(&r.DescriptionWindow), static_cast<CWidget*>(&r.ResultWindow),
                     static_cast<CWidget*>(&r.MaterialRows[0]), static_cast<CWidget*>(&r.MaterialRows[1]),
                     &r.MaterialNames[0], &r.MaterialNames[1]})
    w->DrawCaption();

  MaterialPageWidgets& m = Material;
  m.Backdrop.Draw();
  DrawAndCaption({&m.ChosenRows[0], &m.ChosenRows[1]});
  for (CWidget* w : {&m.ChosenIcons[0], &m.ChosenIcons[1], &m.ChosenNames[0], &m.ChosenNames[1],
                     static_cast<CWidget*>(&m.ResultWindow), static_cast<CWidget*>(&m.ResultDescription)})
    w->Draw();
  for (int i = 0; i < 2; ++i)
    if (m.ChosenIcons[i].IsVisible())
      DrawCentred(Previews.Slots[i].Item, m.ChosenIcons[i], m.ChosenNames[i].GetRed(), 255, false);
  for (CWidget& name : m.ChosenNames) name.DrawCaption();
  if (const CItem* result = Previews.CursorResult.get(); result && m.ResultWindow.IsVisible())
    result->DrawIcon(m.ResultWindow.GetX() + 40, m.ResultWindow.GetY() + m.ResultWindow.Height / 2);
  m.ResultWindow.DrawCaption();
  m.ResultDescription.DrawCaption();
}

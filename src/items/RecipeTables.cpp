#include "items/RecipeTables.h"

#include <cstddef>

#include "app/CGameMain.h"

namespace {

// Item ids by name, in runs of consecutive ids, so that a recipe row reads as
// the recipe it is.
enum ItemIdName : int {
  // Melee weapons.
  StoneShortsword = 0x000, CopperShortsword, IronShortsword, SilverShortsword, MythrilShortsword,
  StoneAxe, CopperAxe, IronAxe, SilverAxe, MythrilAxe,
  StoneSpear, CopperSpear, IronSpear, SilverSpear, MythrilSpear,
  StoneBroadsword, CopperBroadsword, IronBroadsword, SilverBroadsword, MythrilBroadsword,
  WoodStaff, StoneStaff, CopperStaff, IronStaff, SilverStaff, MythrilStaff,
  CobaltShortsword, GoldShortsword, DemoniumShortsword,
  CobaltAxe, GoldAxe, DemoniumAxe,
  CobaltSpear, GoldSpear, DemoniumSpear,
  CobaltBroadsword, GoldBroadsword, DemoniumBroadsword,
  CobaltStaff, GoldStaff, DemoniumStaff,
  DragonSword = 0x080, DragonSpear,
  SamuraiSword = 0x088, SamuraiSpear,
  BeastClaw = 0x090,
  DevilSpear = 0x098, DevilAxe,
  Kerykeion = 0x0A0,
  Trident = 0x0A8,
  KatanaOfShinobi = 0x0B0, KatanaOfShinobiPlus,
  Kunai = 0x0B8, KunaiPlus,
  GorgonSword = 0x0C0, GorgonSpear, GorgonStaff,
  // Bows and arrows.
  Bow = 0x100, StoneBow, CopperBow, IronBow, SilverBow, MythrilBow, CobaltBow, GoldBow, DemoniumBow,
  SamuraiBow, DevilBow, Failnaught, Candradhnus, GorgonBow,
  StoneArrow = 0x200, CopperArrow, IronArrow, SilverArrow, MythrilArrow, CobaltArrow, GoldArrow,
  DemoniumArrow,
  // Body armour.
  WoodArmor = 0x300, StoneArmor, CopperArmor, IronArmor, SilverArmor, MythrilArmor, CobaltArmor,
  GoldArmor, DemoniumArmor,
  Cloak = 0x310, StoneCloak, CopperCloak, IronCloak, SilverCloak, MythrilCloak, CobaltCloak,
  GoldCloak, DemoniumCloak,
  Robe = 0x320, StoneRobe, CopperRobe, IronRobe, SilverRobe, MythrilRobe, CobaltRobe, GoldRobe,
  DemoniumRobe,
  DragonArmor = 0x380, SamuraiArmor, ScaleArmor, SpikeArmor,
  ClothOfShinobi = 0x3C0, ClothOfShinobiPlus,
  ClothOfKunoichi = 0x3D0, ClothOfKunoichiPlus,
  // Shield place.
  WoodShield = 0x400, StoneShield, CopperShield, IronShield, SilverShield, MythrilShield,
  CobaltShield, GoldShield, DemoniumShield,
  Glove = 0x410, StoneGlove, CopperGlove, IronGlove, SilverGlove, MythrilGlove, CobaltGlove,
  GoldGlove, DemoniumGlove,
  Bracelet = 0x420, StoneBracelet, CopperBracelet, IronBracelet, SilverBracelet, MythrilBracelet,
  CobaltBracelet, GoldBracelet, DemoniumBracelet,
  RoundShield = 0x480, AegisShield, DragonShield, ScaleShield, SpikeShield,
  // Head gear.
  WoodHelmet = 0x500, StoneHelmet, CopperHelmet, IronHelmet, SilverHelmet, MythrilHelmet,
  CobaltHelmet, GoldHelmet, DemoniumHelmet,
  HuntingCap = 0x510, StoneHuntingCap, CopperHuntingCap, IronHuntingCap, SilverHuntingCap,
  MythrilHuntingCap, CobaltHuntingCap, GoldHuntingCap, DemoniumHuntingCap,
  Hat = 0x520, StoneHat, CopperHat, IronHat, SilverHat, MythrilHat, CobaltHat, GoldHat,
  DemoniumHat,
  DragonHelmet = 0x580, SamuraiHelmet, Circlet, CircletOfStrength, CircletOfDexterity,
  CircletOfVitality, CircletOfProtection, CircletOfAccuracy, CircletOfEvasion,
  CircletOfResurrection, CircletOfTelepathy, CircletOfCritical, CircletOfResistance,
  CircletOfRegeneration,
  // Accessories and the monster parts they are made of.
  RingOfStrength = 0x600, RingOfDexterity, RingOfVitality, RingOfProtection, RingOfAccuracy,
  RingOfEvasion, RingOfResurrection, RingOfTelepathy, RingOfCritical, RingOfResistance,
  RingOfRegeneration, TailOfDemon, Scale, DragonScale, SamuraiSoul, ToothOfBeast, Feather,
  HeadOfGorgon, DevilWing, AquaNecklace, DragonCrest, Nenju, HuntingTorophies, Talaria,
  EyeOfGorgon,
  // Food.
  MonsterMeat = 0x700, RoastedMeat, RoastedMushroom,
  // Materials.
  Stone = 0x800, CopperOre, IronOre, SilverOre, MythrilOre,
  StoneBar, CopperBar, IronBar, SilverBar, MythrilBar,
  StoneBlade, CopperBlade, IronBlade, SilverBlade, MythrilBlade,
  ManaStone, Wood, Stick, LongStick, Seed, MedicalHerb, PoisonousHerb, Mushroom, Cotton, Fabric,
  GoldenApple, CobaltOre, GoldOre, DemoniumOre, CobaltBar, GoldBar, DemoniumBar, CobaltBlade,
  GoldBlade, DemoniumBlade, Leather,
  // Potions.
  PotionOfHealing = 0x900, PotionOfExtraHealing, PotionOfClearance, PotionOfQuickMove,
  PotionOfSlowMove, PotionOfConfusion, PotionOfParalyze, PotionOfSleep, PotionOfTeleportation,
  PotionOfLevelUp, PotionOfLevelDown, Oil, PotionOfStrength, PotionOfVitality, PotionOfDexterity,
  Elixir, DemonBlood, PotionOfIntelligence,
  // Magic stones; no stone has the id 0xA05.
  MagicStoneOfHealing = 0xA00, MagicStoneOfExtraHealing, MagicStoneOfClearance,
  MagicStoneOfQuickMove, MagicStoneOfSlowMove,
  MagicStoneOfConfusion = 0xA06, MagicStoneOfParalyze, MagicStoneOfSleep,
  MagicStoneOfTeleportation, MagicStoneOfLevelUp, MagicStoneOfLevelDown, MagicStoneOfFire,
  MagicStoneOfStrength, MagicStoneOfVitality, MagicStoneOfDexterity, PhilosophersStone,
  DarkMatter, MagicStoneOfIntelligence, MagicStoneOfBushido, MagicStoneOfWind,
  MagicStoneOfWater, MagicStoneOfDragon, MagicStoneOfBeast, MagicStoneOfGorgon,
  MagicStoneOfDemon,
  // Wands.
  WandOfHealing = 0xB00, WandOfExtraHealing, WandOfClearance, WandOfQuickMove, WandOfSlowMove,
  WandOfConfusion, WandOfParalyze, WandOfSleep, WandOfTeleportation, WandOfLevelUp,
  WandOfLevelDown, WandOfFire, WandOfStrength, WandOfVitality, WandOfDexterity, WandOfInvincible,
  WandOfDeath, WandOfIntelligence,
};

// One recipe, and the stage from which its lists hold it.
struct RecipeRow {
  int FirstId, FirstCount, SecondId, SecondCount, ResultId, ResultCount, Opens;
};

// Each family in the order of its book page, as the last stage holds it; a
// lower stage holds the rows that open at or below it, in the same order.
// Page 0: materials.
constexpr RecipeRow MaterialRows[] = {
    {Stone, 1, Stone, 1, StoneBar, 1, 0},
    {CopperOre, 1, CopperOre, 1, CopperBar, 1, 0},
    {IronOre, 1, IronOre, 1, IronBar, 1, 0},
    {SilverOre, 1, SilverOre, 1, SilverBar, 1, 1},
    {MythrilOre, 1, MythrilOre, 1, MythrilBar, 1, 2},
    {GoldOre, 1, GoldOre, 1, GoldBar, 1, 3},
    {DemoniumOre, 1, DemoniumOre, 1, DemoniumBar, 1, 3},
    {CobaltOre, 1, CobaltOre, 1, CobaltBar, 1, 4},
    {Stone, 1, StoneBar, 1, StoneBlade, 1, 0},
    {CopperOre, 1, CopperBar, 1, CopperBlade, 1, 0},
    {IronOre, 1, IronBar, 1, IronBlade, 1, 0},
    {SilverOre, 1, SilverBar, 1, SilverBlade, 1, 1},
    {MythrilOre, 1, MythrilBar, 1, MythrilBlade, 1, 2},
    {GoldOre, 1, GoldBar, 1, GoldBlade, 1, 3},
    {DemoniumOre, 1, DemoniumBar, 1, DemoniumBlade, 1, 3},
    {CobaltOre, 1, CobaltBar, 1, CobaltBlade, 1, 4},
    {Stick, 1, Stick, 1, LongStick, 1, 0},
    {Cotton, 1, Cotton, 1, Fabric, 1, 0},
    {IronOre, 2, Elixir, 1, GoldOre, 2, 3},
    {IronOre, 2, DemonBlood, 1, DemoniumOre, 2, 3},
};

// Page 1: food.
constexpr RecipeRow FoodRows[] = {
    {MonsterMeat, 1, Oil, 1, RoastedMeat, 1, 0},
    {Mushroom, 1, Oil, 1, RoastedMushroom, 1, 0},
};

// Page 2: potions.
constexpr RecipeRow PotionRows[] = {
    {MedicalHerb, 1, MedicalHerb, 1, PotionOfHealing, 1, 0},
    {PotionOfHealing, 1, PotionOfHealing, 1, PotionOfExtraHealing, 1, 0},
    {MedicalHerb, 1, PoisonousHerb, 1, PotionOfClearance, 1, 0},
    {MedicalHerb, 1, Seed, 1, PotionOfQuickMove, 1, 0},
    {PoisonousHerb, 1, Seed, 1, PotionOfSlowMove, 1, 0},
    {Mushroom, 1, Mushroom, 1, PotionOfConfusion, 1, 0},
    {Mushroom, 1, PoisonousHerb, 1, PotionOfParalyze, 1, 0},
    {Mushroom, 1, MedicalHerb, 1, PotionOfSleep, 1, 0},
    {Mushroom, 1, Seed, 1, PotionOfTeleportation, 1, 0},
    {Seed, 1, Seed, 1, Oil, 1, 0},
    {PoisonousHerb, 1, PoisonousHerb, 1, PotionOfLevelDown, 1, 0},
    {PotionOfLevelDown, 1, GoldenApple, 1, PotionOfLevelUp, 1, 1},
    {Oil, 1, GoldenApple, 1, PotionOfStrength, 1, 1},
    {PotionOfHealing, 1, GoldenApple, 1, PotionOfVitality, 1, 1},
    {PotionOfQuickMove, 1, GoldenApple, 1, PotionOfDexterity, 1, 1},
    {PotionOfConfusion, 1, GoldenApple, 1, PotionOfIntelligence, 1, 1},
};

// Page 3: magic stones.
constexpr RecipeRow MagicStoneRows[] = {
    {PotionOfHealing, 1, ManaStone, 1, MagicStoneOfHealing, 1, 0},
    {PotionOfExtraHealing, 1, ManaStone, 1, MagicStoneOfExtraHealing, 1, 0},
    {PotionOfClearance, 1, ManaStone, 1, MagicStoneOfClearance, 1, 0},
    {PotionOfQuickMove, 1, ManaStone, 1, MagicStoneOfQuickMove, 1, 0},
    {PotionOfSlowMove, 1, ManaStone, 1, MagicStoneOfSlowMove, 1, 0},
    {PotionOfConfusion, 1, ManaStone, 1, MagicStoneOfConfusion, 1, 0},
    {PotionOfParalyze, 1, ManaStone, 1, MagicStoneOfParalyze, 1, 0},
    {PotionOfSleep, 1, ManaStone, 1, MagicStoneOfSleep, 1, 0},
    {PotionOfTeleportation, 1, ManaStone, 1, MagicStoneOfTeleportation, 1, 0},
    {Oil, 1, ManaStone, 1, MagicStoneOfFire, 1, 0},
    {PotionOfLevelDown, 1, ManaStone, 1, MagicStoneOfLevelDown, 1, 0},
    {PotionOfLevelUp, 1, ManaStone, 1, MagicStoneOfLevelUp, 1, 1},
    {PotionOfStrength, 1, ManaStone, 1, MagicStoneOfStrength, 1, 1},
    {PotionOfVitality, 1, ManaStone, 1, MagicStoneOfVitality, 1, 1},
    {PotionOfDexterity, 1, ManaStone, 1, MagicStoneOfDexterity, 1, 1},
    {PotionOfIntelligence, 1, ManaStone, 1, MagicStoneOfIntelligence, 1, 1},
    {Elixir, 1, ManaStone, 1, PhilosophersStone, 1, 3},
    {DemonBlood, 1, ManaStone, 1, DarkMatter, 1, 3},
    {SamuraiSoul, 1, ManaStone, 1, MagicStoneOfBushido, 1, 4},
    {Feather, 1, ManaStone, 1, MagicStoneOfWind, 1, 4},
    {Scale, 1, ManaStone, 1, MagicStoneOfWater, 1, 4},
    {DragonScale, 1, ManaStone, 1, MagicStoneOfDragon, 1, 4},
    {ToothOfBeast, 1, ManaStone, 1, MagicStoneOfBeast, 1, 4},
    {HeadOfGorgon, 1, ManaStone, 1, MagicStoneOfGorgon, 1, 4},
    {TailOfDemon, 1, ManaStone, 1, MagicStoneOfDemon, 1, 4},
};

// Page 4: wands.
constexpr RecipeRow WandRows[] = {
    {MagicStoneOfHealing, 1, Stick, 1, WandOfHealing, 1, 0},
    {MagicStoneOfExtraHealing, 1, Stick, 1, WandOfExtraHealing, 1, 0},
    {MagicStoneOfClearance, 1, Stick, 1, WandOfClearance, 1, 0},
    {MagicStoneOfQuickMove, 1, Stick, 1, WandOfQuickMove, 1, 0},
    {MagicStoneOfSlowMove, 1, Stick, 1, WandOfSlowMove, 1, 0},
    {MagicStoneOfConfusion, 1, Stick, 1, WandOfConfusion, 1, 0},
    {MagicStoneOfParalyze, 1, Stick, 1, WandOfParalyze, 1, 0},
    {MagicStoneOfSleep, 1, Stick, 1, WandOfSleep, 1, 0},
    {MagicStoneOfTeleportation, 1, Stick, 1, WandOfTeleportation, 1, 0},
    {MagicStoneOfFire, 1, Stick, 1, WandOfFire, 1, 0},
    {MagicStoneOfLevelDown, 1, Stick, 1, WandOfLevelDown, 1, 0},
    {MagicStoneOfLevelUp, 1, Stick, 1, WandOfLevelUp, 1, 1},
    {MagicStoneOfStrength, 1, Stick, 1, WandOfStrength, 1, 1},
    {MagicStoneOfVitality, 1, Stick, 1, WandOfVitality, 1, 1},
    {MagicStoneOfDexterity, 1, Stick, 1, WandOfDexterity, 1, 1},
    {MagicStoneOfIntelligence, 1, Stick, 1, WandOfIntelligence, 1, 1},
    {PhilosophersStone, 1, Stick, 1, WandOfInvincible, 1, 3},
    {DarkMatter, 1, Stick, 1, WandOfDeath, 1, 3},
};

// Page 5: melee weapons.
constexpr RecipeRow WeaponRows[] = {
    {StoneBar, 1, Wood, 1, StoneShortsword, 1, 0},
    {CopperBar, 1, Wood, 1, CopperShortsword, 1, 0},
    {IronBar, 1, Wood, 1, IronShortsword, 1, 0},
    {SilverBar, 1, Wood, 1, SilverShortsword, 1, 1},
    {MythrilBar, 1, Wood, 1, MythrilShortsword, 1, 2},
    {GoldBar, 1, Wood, 1, GoldShortsword, 1, 3},
    {DemoniumBar, 1, Wood, 1, DemoniumShortsword, 1, 3},
    {KatanaOfShinobi, 1, Elixir, 1, KatanaOfShinobiPlus, 1, 3},
    {Kunai, 1, Elixir, 1, KunaiPlus, 1, 3},
    {CobaltBar, 1, Wood, 1, CobaltShortsword, 1, 4},
    {IronShortsword, 1, SamuraiSoul, 1, SamuraiSword, 1, 4},
    {IronShortsword, 1, DragonScale, 1, DragonSword, 1, 4},
    {StoneBar, 1, LongStick, 1, StoneSpear, 1, 0},
    {CopperBar, 1, LongStick, 1, CopperSpear, 1, 0},
    {IronBar, 1, LongStick, 1, IronSpear, 1, 0},
    {SilverBar, 1, LongStick, 1, SilverSpear, 1, 1},
    {MythrilBar, 1, LongStick, 1, MythrilSpear, 1, 2},
    {GoldBar, 1, LongStick, 1, GoldSpear, 1, 3},
    {DemoniumBar, 1, LongStick, 1, DemoniumSpear, 1, 3},
    {CobaltBar, 1, LongStick, 1, CobaltSpear, 1, 4},
    {Scale, 1, LongStick, 1, Trident, 1, 4},
    {IronSpear, 1, TailOfDemon, 1, DevilSpear, 1, 4},
    {IronSpear, 1, SamuraiSoul, 1, SamuraiSpear, 1, 4},
    {IronSpear, 1, DragonScale, 1, DragonSpear, 1, 4},
    {SilverSpear, 1, HeadOfGorgon, 1, GorgonSpear, 1, 4},
    {StoneBar, 1, Stick, 1, StoneAxe, 1, 0},
    {CopperBar, 1, Stick, 1, CopperAxe, 1, 0},
    {IronBar, 1, Stick, 1, IronAxe, 1, 0},
    {SilverBar, 1, Stick, 1, SilverAxe, 1, 1},
    {MythrilBar, 1, Stick, 1, MythrilAxe, 1, 2},
    {GoldBar, 1, Stick, 1, GoldAxe, 1, 3},
    {DemoniumBar, 1, Stick, 1, DemoniumAxe, 1, 3},
    {CobaltBar, 1, Stick, 1, CobaltAxe, 1, 4},
    {IronAxe, 1, TailOfDemon, 1, DevilAxe, 1, 4},
    {StoneBlade, 1, Wood, 1, StoneBroadsword, 1, 0},
    {CopperBlade, 1, Wood, 1, CopperBroadsword, 1, 0},
    {IronBlade, 1, Wood, 1, IronBroadsword, 1, 0},
    {SilverBlade, 1, Wood, 1, SilverBroadsword, 1, 1},
    {MythrilBlade, 1, Wood, 1, MythrilBroadsword, 1, 2},
    {GoldBlade, 1, Wood, 1, GoldBroadsword, 1, 3},
    {DemoniumBlade, 1, Wood, 1, DemoniumBroadsword, 1, 3},
    {CobaltBlade, 1, Wood, 1, CobaltBroadsword, 1, 4},
    {SilverBroadsword, 1, HeadOfGorgon, 1, GorgonSword, 1, 4},
    {LongStick, 1, ManaStone, 1, WoodStaff, 1, 0},
    {WoodStaff, 1, StoneBar, 1, StoneStaff, 1, 0},
    {WoodStaff, 1, CopperBar, 1, CopperStaff, 1, 0},
    {WoodStaff, 1, IronBar, 1, IronStaff, 1, 0},
    {WoodStaff, 1, SilverBar, 1, SilverStaff, 1, 1},
    {WoodStaff, 1, MythrilBar, 1, MythrilStaff, 1, 2},
    {WoodStaff, 1, GoldBar, 1, GoldStaff, 1, 3},
    {WoodStaff, 1, DemoniumBar, 1, DemoniumStaff, 1, 3},
    {WoodStaff, 1, CobaltBar, 1, CobaltStaff, 1, 4},
    {WoodStaff, 1, Feather, 1, Kerykeion, 1, 4},
    {SilverStaff, 1, HeadOfGorgon, 1, GorgonStaff, 1, 4},
    {ToothOfBeast, 1, Leather, 1, BeastClaw, 1, 4},
};

// Page 6: bows and arrows.
constexpr RecipeRow BowRows[] = {
    {Stone, 1, Stick, 1, StoneArrow, 1, 0},
    {CopperOre, 1, Stick, 1, CopperArrow, 1, 0},
    {IronOre, 1, Stick, 1, IronArrow, 1, 0},
    {SilverOre, 1, Stick, 1, SilverArrow, 1, 1},
    {MythrilOre, 1, Stick, 1, MythrilArrow, 1, 2},
    {GoldOre, 1, Stick, 1, GoldArrow, 1, 3},
    {DemoniumOre, 1, Stick, 1, DemoniumArrow, 1, 3},
    {CobaltOre, 1, Stick, 1, CobaltArrow, 1, 4},
    {Wood, 1, LongStick, 1, Bow, 1, 0},
    {StoneBar, 1, Bow, 1, StoneBow, 1, 0},
    {CopperBar, 1, Bow, 1, CopperBow, 1, 0},
    {IronBar, 1, Bow, 1, IronBow, 1, 0},
    {SilverBar, 1, Bow, 1, SilverBow, 1, 1},
    {MythrilBar, 1, Bow, 1, MythrilBow, 1, 2},
    {GoldBar, 1, Bow, 1, GoldBow, 1, 3},
    {DemoniumBar, 1, Bow, 1, DemoniumBow, 1, 3},
    {CobaltBar, 1, Bow, 1, CobaltBow, 1, 4},
    {IronBow, 1, SamuraiSoul, 1, SamuraiBow, 1, 4},
    {Bow, 1, TailOfDemon, 1, DevilBow, 1, 4},
    {Bow, 1, Feather, 1, Failnaught, 1, 4},
    {Bow, 1, ToothOfBeast, 1, Candradhnus, 1, 4},
    {SilverBow, 1, HeadOfGorgon, 1, GorgonBow, 1, 4},
};

// Page 7: body armour.
constexpr RecipeRow BodyArmourRows[] = {
    {Wood, 1, Fabric, 1, WoodArmor, 1, 0},
    {WoodArmor, 1, StoneBar, 1, StoneArmor, 1, 0},
    {WoodArmor, 1, CopperBar, 1, CopperArmor, 1, 0},
    {WoodArmor, 1, IronBar, 1, IronArmor, 1, 0},
    {WoodArmor, 1, SilverBar, 1, SilverArmor, 1, 1},
    {WoodArmor, 1, MythrilBar, 1, MythrilArmor, 1, 2},
    {WoodArmor, 1, GoldBar, 1, GoldArmor, 1, 3},
    {WoodArmor, 1, DemoniumBar, 1, DemoniumArmor, 1, 3},
    {ClothOfShinobi, 1, Elixir, 1, ClothOfShinobiPlus, 1, 3},
    {ClothOfKunoichi, 1, Elixir, 1, ClothOfKunoichiPlus, 1, 3},
    {WoodArmor, 1, CobaltBar, 1, CobaltArmor, 1, 4},
    {WoodArmor, 1, Scale, 1, ScaleArmor, 1, 4},
    {WoodArmor, 1, ToothOfBeast, 1, SpikeArmor, 1, 4},
    {IronArmor, 1, SamuraiSoul, 1, SamuraiArmor, 1, 4},
    {IronArmor, 1, DragonScale, 1, DragonArmor, 1, 4},
    {Leather, 1, Leather, 1, Cloak, 1, 1},
    {StoneBar, 1, Cloak, 1, StoneCloak, 1, 1},
    {CopperBar, 1, Cloak, 1, CopperCloak, 1, 1},
    {IronBar, 1, Cloak, 1, IronCloak, 1, 1},
    {SilverBar, 1, Cloak, 1, SilverCloak, 1, 1},
    {MythrilBar, 1, Cloak, 1, MythrilCloak, 1, 2},
    {GoldBar, 1, Cloak, 1, GoldCloak, 1, 3},
    {DemoniumBar, 1, Cloak, 1, DemoniumCloak, 1, 3},
    {CobaltBar, 1, Cloak, 1, CobaltCloak, 1, 4},
    {Fabric, 1, ManaStone, 1, Robe, 1, 1},
    {StoneBar, 1, Robe, 1, StoneRobe, 1, 1},
    {CopperBar, 1, Robe, 1, CopperRobe, 1, 1},
    {IronBar, 1, Robe, 1, IronRobe, 1, 1},
    {SilverBar, 1, Robe, 1, SilverRobe, 1, 1},
    {MythrilBar, 1, Robe, 1, MythrilRobe, 1, 2},
    {GoldBar, 1, Robe, 1, GoldRobe, 1, 3},
    {DemoniumBar, 1, Robe, 1, DemoniumRobe, 1, 3},
    {CobaltBar, 1, Robe, 1, CobaltRobe, 1, 4},
};

// Page 8: shield place.
constexpr RecipeRow ShieldRows[] = {
    {Wood, 1, Wood, 1, WoodShield, 1, 0},
    {StoneBar, 1, WoodShield, 1, StoneShield, 1, 0},
    {CopperBar, 1, WoodShield, 1, CopperShield, 1, 0},
    {IronBar, 1, WoodShield, 1, IronShield, 1, 0},
    {SilverBar, 1, WoodShield, 1, SilverShield, 1, 1},
    {MythrilBar, 1, WoodShield, 1, MythrilShield, 1, 2},
    {GoldBar, 1, WoodShield, 1, GoldShield, 1, 3},
    {DemoniumBar, 1, WoodShield, 1, DemoniumShield, 1, 3},
    {CobaltBar, 1, WoodShield, 1, CobaltShield, 1, 4},
    {WoodShield, 1, Leather, 1, RoundShield, 1, 4},
    {WoodShield, 1, Scale, 1, ScaleShield, 1, 4},
    {WoodShield, 1, ToothOfBeast, 1, SpikeShield, 1, 4},
    {RoundShield, 1, HeadOfGorgon, 1, AegisShield, 1, 4},
    {IronShield, 1, DragonScale, 1, DragonShield, 1, 4},
    {Fabric, 1, Leather, 1, Glove, 1, 1},
    {StoneBar, 1, Glove, 1, StoneGlove, 1, 1},
    {CopperBar, 1, Glove, 1, CopperGlove, 1, 1},
    {IronBar, 1, Glove, 1, IronGlove, 1, 1},
    {SilverBar, 1, Glove, 1, SilverGlove, 1, 1},
    {MythrilBar, 1, Glove, 1, MythrilGlove, 1, 2},
    {GoldBar, 1, Glove, 1, GoldGlove, 1, 3},
    {DemoniumBar, 1, Glove, 1, DemoniumGlove, 1, 3},
    {CobaltBar, 1, Glove, 1, CobaltGlove, 1, 4},
    {Wood, 1, ManaStone, 1, Bracelet, 1, 1},
    {StoneBar, 1, Bracelet, 1, StoneBracelet, 1, 1},
    {CopperBar, 1, Bracelet, 1, CopperBracelet, 1, 1},
    {IronBar, 1, Bracelet, 1, IronBracelet, 1, 1},
    {SilverBar, 1, Bracelet, 1, SilverBracelet, 1, 1},
    {MythrilBar, 1, Bracelet, 1, MythrilBracelet, 1, 2},
    {GoldBar, 1, Bracelet, 1, GoldBracelet, 1, 3},
    {DemoniumBar, 1, Bracelet, 1, DemoniumBracelet, 1, 3},
    {CobaltBar, 1, Bracelet, 1, CobaltBracelet, 1, 4},
};

// Page 9: head gear.
constexpr RecipeRow HeadGearRows[] = {
    {Wood, 1, Cotton, 1, WoodHelmet, 1, 0},
    {Stone, 1, WoodHelmet, 1, StoneHelmet, 1, 0},
    {CopperOre, 1, WoodHelmet, 1, CopperHelmet, 1, 0},
    {IronOre, 1, WoodHelmet, 1, IronHelmet, 1, 0},
    {SilverOre, 1, WoodHelmet, 1, SilverHelmet, 1, 1},
    {MythrilOre, 1, WoodHelmet, 1, MythrilHelmet, 1, 2},
    {GoldOre, 1, WoodHelmet, 1, GoldHelmet, 1, 3},
    {DemoniumOre, 1, WoodHelmet, 1, DemoniumHelmet, 1, 3},
    {CobaltOre, 1, WoodHelmet, 1, CobaltHelmet, 1, 4},
    {IronHelmet, 1, DragonScale, 1, DragonHelmet, 1, 4},
    {IronHelmet, 1, SamuraiSoul, 1, SamuraiHelmet, 1, 4},
    {Cotton, 1, Leather, 1, HuntingCap, 1, 1},
    {Stone, 1, HuntingCap, 1, StoneHuntingCap, 1, 1},
    {CopperOre, 1, HuntingCap, 1, CopperHuntingCap, 1, 1},
    {IronOre, 1, HuntingCap, 1, IronHuntingCap, 1, 1},
    {SilverOre, 1, HuntingCap, 1, SilverHuntingCap, 1, 1},
    {MythrilOre, 1, HuntingCap, 1, MythrilHuntingCap, 1, 2},
    {GoldOre, 1, HuntingCap, 1, GoldHuntingCap, 1, 3},
    {DemoniumOre, 1, HuntingCap, 1, DemoniumHuntingCap, 1, 3},
    {CobaltOre, 1, HuntingCap, 1, CobaltHuntingCap, 1, 4},
    {Cotton, 1, ManaStone, 1, Hat, 1, 1},
    {Stone, 1, Hat, 1, StoneHat, 1, 1},
    {CopperOre, 1, Hat, 1, CopperHat, 1, 1},
    {IronOre, 1, Hat, 1, IronHat, 1, 1},
    {SilverOre, 1, Hat, 1, SilverHat, 1, 1},
    {MythrilOre, 1, Hat, 1, MythrilHat, 1, 2},
    {GoldOre, 1, Hat, 1, GoldHat, 1, 3},
    {DemoniumOre, 1, Hat, 1, DemoniumHat, 1, 3},
    {CobaltOre, 1, Hat, 1, CobaltHat, 1, 4},
    {GoldBar, 1, ManaStone, 1, Circlet, 1, 5},
    {Circlet, 1, RingOfStrength, 1, CircletOfStrength, 1, 5},
    {Circlet, 1, RingOfDexterity, 1, CircletOfDexterity, 1, 5},
    {Circlet, 1, RingOfVitality, 1, CircletOfVitality, 1, 5},
    {Circlet, 1, RingOfProtection, 1, CircletOfProtection, 1, 5},
    {Circlet, 1, RingOfAccuracy, 1, CircletOfAccuracy, 1, 5},
    {Circlet, 1, RingOfEvasion, 1, CircletOfEvasion, 1, 5},
    {Circlet, 1, RingOfResurrection, 1, CircletOfResurrection, 1, 5},
    {Circlet, 1, RingOfTelepathy, 1, CircletOfTelepathy, 1, 5},
    {Circlet, 1, RingOfCritical, 1, CircletOfCritical, 1, 5},
    {Circlet, 1, RingOfResistance, 1, CircletOfResistance, 1, 5},
    {Circlet, 1, RingOfRegeneration, 1, CircletOfRegeneration, 1, 5},
};

// Page 10: accessories.
constexpr RecipeRow AccessoryRows[] = {
    {TailOfDemon, 1, Leather, 1, DevilWing, 1, 4},
    {Scale, 1, SilverBar, 1, AquaNecklace, 1, 4},
    {DragonScale, 1, Fabric, 1, DragonCrest, 1, 4},
    {SamuraiSoul, 1, Stone, 1, Nenju, 1, 4},
    {ToothOfBeast, 1, Wood, 1, HuntingTorophies, 1, 4},
    {Feather, 1, Leather, 1, Talaria, 1, 4},
    {HeadOfGorgon, 1, Leather, 1, EyeOfGorgon, 1, 4},
};
struct Family {
  std::span<const RecipeRow> Rows;
  // The high bytes of the ids its results may have.
  int ResultFamily, OtherResultFamily;
};

constexpr int FamilyCount = 11;
constexpr Family Families[FamilyCount] = {
    {MaterialRows, 0x8, 0x8},   {FoodRows, 0x7, 0x7},       {PotionRows, 0x9, 0x9},
    {MagicStoneRows, 0xA, 0xA}, {WandRows, 0xB, 0xB},       {WeaponRows, 0x0, 0x0},
    {BowRows, 0x1, 0x2},        {BodyArmourRows, 0x3, 0x3}, {ShieldRows, 0x4, 0x4},
    {HeadGearRows, 0x5, 0x5},   {AccessoryRows, 0x6, 0x6},
};

// The ids the item factory makes, but for traps and event items, which no
// recipe uses.
struct IdRange {
  int First, Last;
};
constexpr IdRange RecipeItemIds[] = {
    {0x000, 0x028}, {0x080, 0x081}, {0x088, 0x089}, {0x090, 0x090}, {0x098, 0x099},
    {0x0A0, 0x0A0}, {0x0A8, 0x0A8}, {0x0B0, 0x0B1}, {0x0B8, 0x0B9}, {0x0C0, 0x0C2},
    {0x100, 0x10D}, {0x200, 0x207}, {0x300, 0x308}, {0x310, 0x318}, {0x320, 0x328},
    {0x380, 0x383}, {0x3C0, 0x3C1}, {0x3D0, 0x3D1}, {0x400, 0x408}, {0x410, 0x418},
    {0x420, 0x428}, {0x480, 0x484}, {0x500, 0x508}, {0x510, 0x518}, {0x520, 0x528},
    {0x580, 0x58D}, {0x600, 0x618}, {0x700, 0x702}, {0x800, 0x823}, {0x900, 0x911},
    {0xA00, 0xA04}, {0xA06, 0xA19}, {0xB00, 0xB11},
};

constexpr bool IsRecipeItemId(int id) {
  for (const IdRange& range : RecipeItemIds)
    if (id >= range.First && id <= range.Last) return true;
  return false;
}

constexpr bool IsWellFormed(const RecipeRow& row, const Family& family) {
  const int resultFamily = row.ResultId >> 8;
  return IsRecipeItemId(row.FirstId) && IsRecipeItemId(row.SecondId) &&
         IsRecipeItemId(row.ResultId) && row.FirstCount > 0 && row.SecondCount > 0 &&
         row.ResultCount > 0 && row.Opens >= 0 && row.Opens < RecipeStageCount &&
         (resultFamily == family.ResultFamily || resultFamily == family.OtherResultFamily);
}

constexpr bool EveryRowWellFormed() {
  for (const Family& family : Families)
    for (const RecipeRow& row : family.Rows)
      if (!IsWellFormed(row, family)) return false;
  return true;
}
static_assert(EveryRowWellFormed(), "a recipe row names an unknown id, a count below 1, "
                                    "a stage outside 0-5 or a result of another family");

constexpr bool SamePair(const RecipeRow& a, const RecipeRow& b) {
  return (a.FirstId == b.FirstId && a.SecondId == b.SecondId) ||
         (a.FirstId == b.SecondId && a.SecondId == b.FirstId);
}

// The search answers the first record of a pair, so a second one could
// never be made: every pair of ingredients stands in one row only.
constexpr bool NoPairTwice() {
  for (int f = 0; f < FamilyCount; ++f)
    for (std::size_t i = 0; i < Families[f].Rows.size(); ++i)
      for (int g = f; g < FamilyCount; ++g)
        for (std::size_t j = g == f ? i + 1 : 0; j < Families[g].Rows.size(); ++j)
          if (SamePair(Families[f].Rows[i], Families[g].Rows[j])) return false;
  return true;
}
static_assert(NoPairTwice(), "two recipe rows share a pair of ingredients");

constexpr int CountAllRows() {
  int n = 0;
  for (const Family& family : Families) n += static_cast<int>(family.Rows.size());
  return n;
}
constexpr int RecipeRowCount = CountAllRows();

// The full list of every stage, the family lists being slices of it: family f
// of stage s is Records[s][FamilyStart[s][f] .. FamilyStart[s][f + 1]).
struct StagedLists {
  RecipeRecord Records[RecipeStageCount][RecipeRowCount];
  int FamilyStart[RecipeStageCount][FamilyCount + 1];
};

constexpr StagedLists BuildStagedLists() {
  StagedLists lists{};
  for (int stage = 0; stage < RecipeStageCount; ++stage) {
    int n = 0;
    for (int f = 0; f < FamilyCount; ++f) {
      lists.FamilyStart[stage][f] = n;
      for (const RecipeRow& row : Families[f].Rows)
        if (row.Opens <= stage)
          lists.Records[stage][n++] = {row.FirstId,  row.FirstCount, row.SecondId,
                                       row.SecondCount, row.ResultId, row.ResultCount};
    }
    lists.FamilyStart[stage][FamilyCount] = n;
  }
  return lists;
}
constexpr StagedLists Staged = BuildStagedLists();

bool IsCountField(RecipeField field) {
  return field == RecipeField::FirstCount || field == RecipeField::SecondCount ||
         field == RecipeField::ResultCount;
}

}  // namespace

int GetRecipeStage(const SaveBlock& block) {
  for (int dungeon = 5; dungeon >= 1; --dungeon)
    if (block.DungeonClearedFlags[dungeon] != 0) return dungeon;
  return 0;
}

int GetRecipeStage() { return GetRecipeStage(GetGameMain()->Settings.Block); }

RecipeList GetRecipeListAt(int tab, int stage) {
  if (stage < 0 || stage >= RecipeStageCount) return {};
  int first, last;  // families [first, last)
  if (tab >= RecipeTabMaterial && tab <= RecipeTabAccessory) {
    first = tab;
    last = tab + 1;
  } else if (tab == RecipeTabAll) {
    first = 0;
    last = FamilyCount;
  } else if (tab == RecipeTabItem) {
    first = 0;
    last = RecipeTabWeapon;
  } else if (tab == RecipeTabEquipment) {
    first = RecipeTabWeapon;
    last = FamilyCount;
  } else {
    return {};
  }
  const int* start = Staged.FamilyStart[stage];
  return RecipeList(Staged.Records[stage] + start[first],
                    static_cast<std::size_t>(start[last] - start[first]));
}

RecipeList GetRecipeListByTab(int tab) { return GetRecipeListAt(tab, GetRecipeStage()); }

RecipeList GetRecipeList() { return GetRecipeListByTab(RecipeTabAll); }
RecipeList GetItemRecipeList() { return GetRecipeListByTab(RecipeTabItem); }
RecipeList GetEquipmentRecipeList() { return GetRecipeListByTab(RecipeTabEquipment); }
RecipeList GetMaterialRecipeList() { return GetRecipeListByTab(RecipeTabMaterial); }
RecipeList GetFoodRecipeList() { return GetRecipeListByTab(RecipeTabFood); }
RecipeList GetPotionRecipeList() { return GetRecipeListByTab(RecipeTabPotion); }
RecipeList GetMagicStoneRecipeList() { return GetRecipeListByTab(RecipeTabMagicStone); }
RecipeList GetWandRecipeList() { return GetRecipeListByTab(RecipeTabWand); }
RecipeList GetWeaponRecipeList() { return GetRecipeListByTab(RecipeTabWeapon); }
RecipeList GetBowRecipeList() { return GetRecipeListByTab(RecipeTabBow); }
RecipeList GetBodyArmourRecipeList() { return GetRecipeListByTab(RecipeTabBodyArmour); }
RecipeList GetShieldRecipeList() { return GetRecipeListByTab(RecipeTabShield); }
RecipeList GetHeadGearRecipeList() { return GetRecipeListByTab(RecipeTabHeadGear); }
RecipeList GetAccessoryRecipeList() { return GetRecipeListByTab(RecipeTabAccessory); }

int FindRecipeIndex(RecipeList list, int firstId, int secondId) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    const RecipeRecord& r = list[i];
    if ((r.FirstId == firstId && r.SecondId == secondId) ||
        (r.FirstId == secondId && r.SecondId == firstId))
      return static_cast<int>(i);
  }
  return -1;
}

int FindRecipeIndex(int firstId, int secondId) {
  return FindRecipeIndex(GetRecipeList(), firstId, secondId);
}

int FindRecipe(RecipeList list, int firstId, int secondId) {
  return ReadRecipeField(list, FindRecipeIndex(list, firstId, secondId), RecipeField::ResultId);
}

int ReadRecipeField(RecipeList list, int index, RecipeField field) {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size())
    return IsCountField(field) ? 1 : -1;
  const RecipeRecord& r = list[static_cast<std::size_t>(index)];
  switch (field) {
    case RecipeField::FirstId: return r.FirstId;
    case RecipeField::FirstCount: return r.FirstCount;
    case RecipeField::SecondId: return r.SecondId;
    case RecipeField::SecondCount: return r.SecondCount;
    case RecipeField::ResultId: return r.ResultId;
    case RecipeField::ResultCount: return r.ResultCount;
  }
  return -1;
}

RecipeNeeds GetRecipeNeeds(int index, int firstId) {
  const RecipeList list = GetRecipeList();
  const RecipeNeeds needs{ReadRecipeField(list, index, RecipeField::FirstCount),
                          ReadRecipeField(list, index, RecipeField::SecondCount)};
  if (ReadRecipeField(list, index, RecipeField::FirstId) == firstId) return needs;
  return {needs.Second, needs.First};
}

int CountItemRecipes() { return static_cast<int>(GetItemRecipeList().size()); }
int CountEquipmentRecipes() { return static_cast<int>(GetEquipmentRecipeList().size()); }

namespace {
int Read(int tab, int index, RecipeField field) {
  return ReadRecipeField(GetRecipeListByTab(tab), index, field);
}
constexpr RecipeField ResultId = RecipeField::ResultId;
constexpr RecipeField FirstId = RecipeField::FirstId;
constexpr RecipeField SecondId = RecipeField::SecondId;
constexpr RecipeField FirstCount = RecipeField::FirstCount;
constexpr RecipeField SecondCount = RecipeField::SecondCount;
}  // namespace

int GetRecipeResultId(int i) { return Read(RecipeTabAll, i, ResultId); }
int GetItemRecipeResultId(int i) { return Read(RecipeTabItem, i, ResultId); }
int GetEquipmentRecipeResultId(int i) { return Read(RecipeTabEquipment, i, ResultId); }
int GetRecipeFirstId(int i) { return Read(RecipeTabAll, i, FirstId); }
int GetItemRecipeFirstId(int i) { return Read(RecipeTabItem, i, FirstId); }
int GetEquipmentRecipeFirstId(int i) { return Read(RecipeTabEquipment, i, FirstId); }
int GetRecipeSecondId(int i) { return Read(RecipeTabAll, i, SecondId); }
int GetItemRecipeSecondId(int i) { return Read(RecipeTabItem, i, SecondId); }
int GetEquipmentRecipeSecondId(int i) { return Read(RecipeTabEquipment, i, SecondId); }
int GetRecipeResultCount(int i) { return Read(RecipeTabAll, i, RecipeField::ResultCount); }

int GetRecipeFirstCount(int i) { return Read(RecipeTabAll, i, FirstCount); }
int GetItemRecipeFirstCount(int i) { return Read(RecipeTabItem, i, FirstCount); }
int GetEquipmentRecipeFirstCount(int i) { return Read(RecipeTabEquipment, i, FirstCount); }
int GetMaterialRecipeFirstCount(int i) { return Read(RecipeTabMaterial, i, FirstCount); }
int GetFoodRecipeFirstCount(int i) { return Read(RecipeTabFood, i, FirstCount); }
int GetPotionRecipeFirstCount(int i) { return Read(RecipeTabPotion, i, FirstCount); }
int GetMagicStoneRecipeFirstCount(int i) { return Read(RecipeTabMagicStone, i, FirstCount); }
int GetWandRecipeFirstCount(int i) { return Read(RecipeTabWand, i, FirstCount); }
int GetWeaponRecipeFirstCount(int i) { return Read(RecipeTabWeapon, i, FirstCount); }
int GetBowRecipeFirstCount(int i) { return Read(RecipeTabBow, i, FirstCount); }
int GetBodyArmourRecipeFirstCount(int i) { return Read(RecipeTabBodyArmour, i, FirstCount); }
int GetShieldRecipeFirstCount(int i) { return Read(RecipeTabShield, i, FirstCount); }
int GetHeadGearRecipeFirstCount(int i) { return Read(RecipeTabHeadGear, i, FirstCount); }
int GetAccessoryRecipeFirstCount(int i) { return Read(RecipeTabAccessory, i, FirstCount); }

int GetRecipeSecondCount(int i) { return Read(RecipeTabAll, i, SecondCount); }
int GetItemRecipeSecondCount(int i) { return Read(RecipeTabItem, i, SecondCount); }
int GetEquipmentRecipeSecondCount(int i) { return Read(RecipeTabEquipment, i, SecondCount); }
int GetMaterialRecipeSecondCount(int i) { return Read(RecipeTabMaterial, i, SecondCount); }
int GetFoodRecipeSecondCount(int i) { return Read(RecipeTabFood, i, SecondCount); }
int GetPotionRecipeSecondCount(int i) { return Read(RecipeTabPotion, i, SecondCount); }
int GetMagicStoneRecipeSecondCount(int i) { return Read(RecipeTabMagicStone, i, SecondCount); }
int GetWandRecipeSecondCount(int i) { return Read(RecipeTabWand, i, SecondCount); }
int GetWeaponRecipeSecondCount(int i) { return Read(RecipeTabWeapon, i, SecondCount); }
int GetBowRecipeSecondCount(int i) { return Read(RecipeTabBow, i, SecondCount); }
int GetBodyArmourRecipeSecondCount(int i) { return Read(RecipeTabBodyArmour, i, SecondCount); }
int GetShieldRecipeSecondCount(int i) { return Read(RecipeTabShield, i, SecondCount); }
int GetHeadGearRecipeSecondCount(int i) { return Read(RecipeTabHeadGear, i, SecondCount); }
int GetAccessoryRecipeSecondCount(int i) { return Read(RecipeTabAccessory, i, SecondCount); }

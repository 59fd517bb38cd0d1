#pragma once
// What the magic stones fused into a weapon, bow or protector give it. Each
// family keeps one table of rules, one row per stone and getter it feeds;
// the getters read it through ReadStones. Only the first enchant-slot-count
// entries of the enchant list count, and an empty entry matches nothing.
#include <cstddef>
#include <cstdint>
#include <span>

#include "items/CItem.h"

// How the stones of one getter combine:
//   Sum   every matching slot adds its value (two stones of a kind add twice);
//   Once  the value holds when any slot matches, however many do;
//   Keep  a chance: a remainder of 100 is multiplied by each match's factor
//         (value / 100, in slot order) and the getter gives 100 - remainder;
//   First the first slot, in order, holding one of the getter's stones decides.
enum class StoneCombine : std::uint8_t { Sum, Once, Keep, First };

// The getters stones feed. A family's table names the ones it knows; shot
// getters of bows use the melee names.
enum class StoneStat : std::uint8_t {
  // Weapons and bows.
  Attack,             // + value to attack (bows: shot power)
  DefenceFromAttack,  // defence + (attack - 9) / 2 (bows: the shot power)
  HealOnHit,
  Drain,
  Slow,
  Sleep,
  Confusion,
  Poison,
  Paralyze,
  Weakness,
  Teleport,
  FireMagic,
  Critical,
  SureHit,
  PoisonousFoe,  // + value to the percent against poisonous foes
  DoubleAttack,
  MagicWeapon,
  Unbreakable,
  ArrowKeep,
  // Protectors.
  Defence,
  DefenceHalving,     // one halving of the defence per stone
  AttackFromDefence,  // which of the family's rules attack and shot gain by
  Evasion,
  MagicCut,
  FireCut,
  TrapAvoid,
  Resistance,
  PreventSlow,
  PreventSleep,
  PreventConfusion,
  PreventPoison,
  PreventParalysis,
  PreventBerserk,
  PreventStatus11,
  PreventWeakness,
  Regeneration,  // + value to the regeneration percent
  Counter,
  HealWhenHit,
};

struct StoneRule {
  ItemId Stone;
  StoneStat Stat;
  StoneCombine Combine;
  std::int32_t Value;
};

// What the stones of item give stat under rules; 0 when no read slot matches.
int ReadStones(const CItem& item, std::span<const StoneRule> rules, StoneStat stat);

// A table is read right only when the rows of one getter share one way of
// combining; each family checks its table with this when it is compiled.
constexpr bool OneCombinePerStat(std::span<const StoneRule> rules) {
  for (std::size_t i = 0; i < rules.size(); ++i)
    for (std::size_t j = i + 1; j < rules.size(); ++j)
      if (rules[i].Stat == rules[j].Stat && rules[i].Combine != rules[j].Combine) return false;
  return true;
}

// The equipment price: the unit price and the unit price of every fused
// stone (an id that is no stone counts 0), scaled by the refinement:
// sum x 2 x (refinement + 5) / 10. The stack count does not enter.
int GetEquipmentPrice(const CItem& item);

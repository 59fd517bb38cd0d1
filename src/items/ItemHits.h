#pragma once
// What a thrown or shot item does to the character it reaches, one body per
// family: the families' RollThrowHit and ApplyHit call these. The thrower's
// stats make the damage; "r40" below is one fresh draw of rand() % 40.
#include "items/CItem.h"

// Materials and food: the thrower's melee attack over 80 + r40, a twelve
// thirteenths off per point of the target's defence, straight off its HP;
// food also writes the damage line.
void ApplyPlainThrownHit(CCharacter* user, CCharacter* target, bool reportDamage);
// A bow: as the plain hit with the attack times the bow's base attack in
// tenths, with the damage line.
void ApplyThrownBowHit(const CItem& bow, CCharacter* user, CCharacter* target);
// Body armour, shields, gloves, bracelets and head gear: the attack times
// the base defence in tenths, taken as a thrown blow.
void ApplyThrownProtectorHit(const CItem& protector, CCharacter* user, CCharacter* target);
// Rings and charms: the attack itself, taken as a thrown blow.
void ApplyThrownAccessoryHit(CCharacter* user, CCharacter* target);

// A thrown weapon always hits when it is a sure-hit weapon.
bool RollThrownWeaponHit(const CItem& weapon, CCharacter* user, CCharacter* target);
// A thrown weapon: its own attack, critical, slayer percentages, on-hit
// statuses, fire and drain, with the thrower's worn weapon left out.
void ApplyThrownWeaponHit(const CItem& weapon, CCharacter* user, CCharacter* target);

// An arrow always hits for a sure-shot shooter or a sure-hit arrow.
bool RollArrowHit(const CItem& arrow, CCharacter* user, CCharacter* target);
// An arrow: everything from the shooter's shooting values; the shooter's
// self-damage never kills it.
void ApplyArrowHit(CCharacter* user, CCharacter* target);

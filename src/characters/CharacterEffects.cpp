// The effects the base asks of the floor's effect list. Effect characters
// (numbers, captions, cell fire) are built on these; until they exist the
// requests show nothing, and the game runs the same without them.
#include "characters/CCharacter.h"

void CCharacter::SpawnHealNumber(int) {}
void CCharacter::ShowColouredCaption(const char*, int, int, int) {}
void CCharacter::SpawnCellFire(int, CCharacter*) {}

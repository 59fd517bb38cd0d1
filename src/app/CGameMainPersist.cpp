#include "app/CGameMain.h"

// Files arrive with the save-file code; until then a run keeps nothing.
void CGameMain::StartNewGame(int) {}
void CGameMain::LoadAll() {}
void CGameMain::CaptureSaveImage() {}
bool CGameMain::WriteSaveFile() { return false; }
void CGameMain::LoadKeyConfig() {}
bool CGameMain::SaveKeyConfig() { return false; }
void CGameMain::RegisterRanking() {}

#pragma once
// The play screen's questions to the input: where the player wants to step
// or turn, whether to attack, skip the turn, shoot or open the menu. Each
// combines the screen's on-screen buttons with the keyboard and pads.
//
// A straight direction answers only after its key has been down 3 frames
// with the two crossing keys up 3 frames, so two keys pressed a frame apart
// still make a diagonal.
class CGameInputMain;

// `marker` is an index of the play screen's marker order (up-left, up,
// up-right, left, right, down-left, down, down-right).
bool IsMoveQuery(const CGameInputMain& screen, int marker);
bool IsTurnQuery(const CGameInputMain& screen, int marker);

inline bool IsMoveUpLeft(const CGameInputMain& s) { return IsMoveQuery(s, 0); }
inline bool IsMoveUp(const CGameInputMain& s) { return IsMoveQuery(s, 1); }
inline bool IsMoveUpRight(const CGameInputMain& s) { return IsMoveQuery(s, 2); }
inline bool IsMoveLeft(const CGameInputMain& s) { return IsMoveQuery(s, 3); }
inline bool IsMoveRight(const CGameInputMain& s) { return IsMoveQuery(s, 4); }
inline bool IsMoveDownLeft(const CGameInputMain& s) { return IsMoveQuery(s, 5); }
inline bool IsMoveDown(const CGameInputMain& s) { return IsMoveQuery(s, 6); }
inline bool IsMoveDownRight(const CGameInputMain& s) { return IsMoveQuery(s, 7); }
inline bool IsTurnUpLeft(const CGameInputMain& s) { return IsTurnQuery(s, 0); }
inline bool IsTurnUp(const CGameInputMain& s) { return IsTurnQuery(s, 1); }
inline bool IsTurnUpRight(const CGameInputMain& s) { return IsTurnQuery(s, 2); }
inline bool IsTurnLeft(const CGameInputMain& s) { return IsTurnQuery(s, 3); }
inline bool IsTurnRight(const CGameInputMain& s) { return IsTurnQuery(s, 4); }
inline bool IsTurnDownLeft(const CGameInputMain& s) { return IsTurnQuery(s, 5); }
inline bool IsTurnDown(const CGameInputMain& s) { return IsTurnQuery(s, 6); }
inline bool IsTurnDownRight(const CGameInputMain& s) { return IsTurnQuery(s, 7); }

bool IsAttackPressed(const CGameInputMain& screen);
// ATTACK and DASH held together.
bool IsSkipTurnPressed(const CGameInputMain& screen);
bool IsShootPressed(const CGameInputMain& screen);
bool IsMenuPressed(const CGameInputMain& screen);

// The order in which the commands ask the eight directions: the diagonals
// first, so that two keys held together are never read as one.
constexpr int DirectionQueryOrder[8] = {0, 2, 5, 7, 1, 3, 4, 6};

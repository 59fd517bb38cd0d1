#pragma once
// A run the player's death has ended. From the moment nothing can bring the
// player back, "save" holds no run to continue and the rankings hold the
// run once, whether GAME OVER comes or the program is closed first.
class CGameMain;

// Ends the run in progress: "save" written without it, the rankings
// updated. Once only: a run already ended is left as it is.
void EndRunInDeath(CGameMain& game);

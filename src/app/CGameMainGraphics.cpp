#include "app/CGameMain.h"

// Pictures and fonts arrive with the renderer.
void CGameMain::InitGraphics() {}

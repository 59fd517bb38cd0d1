#pragma once
// Which renderer a machine gets. Without a graphics card, OpenGL is drawn on
// the CPU (Mesa's llvmpipe and its kind) at many times the cost of SDL's own
// software renderer for the same picture; such a machine gets the latter.

// Before the video starts: where the player named no render driver
// (SDL_RENDER_DRIVER) and there is a display, asks in a short-lived child
// process which OpenGL the display offers, so that this process never loads
// a driver it will not use; a CPU rasteriser makes the software renderer the
// one asked for. OpenGL asked for by name is drawn on one thread where Mesa
// rasterises it on the CPU.
void SysChooseRenderDriver();

// Whether an OpenGL renderer string names a rasteriser that runs on the CPU.
bool SysIsCpuRasteriserName(const char* glRenderer);

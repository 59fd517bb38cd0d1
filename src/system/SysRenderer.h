#pragma once
// The SDL renderer behind the game's device: a 320k x 180k back buffer that
// is stretched to the window (or centred in the desktop) on present.
#include <cstdint>

bool SysRendererCreate();
void SysRendererDestroy();
bool SysRendererReady();
// (Re)makes the back buffer at 320*scale x 180*scale pixels.
bool SysRendererSetBackBuffer(int scale);
int SysRendererBackBufferScale();
// Starts drawing into the back buffer, cleared to the ARGB colour.
void SysRendererBeginFrame(std::uint32_t clearArgb);
// Shows the back buffer in the window.
void SysRendererPresent();

// Window presentation.
void SysSetWindowClientSize(int width, int height);
void SysGetWindowClientSize(int& width, int& height);
void SysSetFullscreenDesktop(bool on);
// The largest k with 320k x 180k inside the desktop, at least 1.
int SysMaxFullscreenScale();

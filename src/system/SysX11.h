#pragma once
// The one question SDL cannot answer on X11: how large the window really is.
// SDL takes a full-screen window to be as large as the display whether or
// not a window manager made it so.
struct SDL_Window;

// The window's size as the X server has it; false where the window is not
// an X11 one (Wayland, the dummy driver) and SDL's own size holds.
bool SysX11WindowSize(SDL_Window* window, int& width, int& height);

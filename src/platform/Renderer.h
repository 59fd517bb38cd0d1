#pragma once
#include <cstdint>

// Device pixels per logical pixel of the back buffer; 1 before start-up.
extern int BackBufferScale;
extern int RequestedWindowScale;
extern int MaxFullscreenScale;
extern int FullscreenActive;
extern int ClientWidth;
extern int ClientHeight;
// While non-zero nothing is drawn and no frame is presented.
extern int DrawSuspended;

bool InitDirect3D();
void ReleaseDirect3D();
void ResizeWindowClient(int width, int height);
void ApplyWindowedMode();
void ApplyFullscreenMode();

// A frame: begin with the back buffer cleared, end by presenting it.
void BeginScene(std::uint32_t clearArgb);
void EndSceneAndPresent();

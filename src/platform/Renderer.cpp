#include "platform/Renderer.h"

#include "system/SysRenderer.h"

int BackBufferScale = 1;
int RequestedWindowScale = 1;
int MaxFullscreenScale = 1;
int FullscreenActive = 0;
int ClientWidth = 320;
int ClientHeight = 180;
int DrawSuspended = 0;

bool InitDirect3D() {
  if (!SysRendererCreate()) return false;
  MaxFullscreenScale = SysMaxFullscreenScale();
  FullscreenActive = 0;
  ClientWidth = 320 * BackBufferScale;
  ClientHeight = 180 * BackBufferScale;
  return SysRendererSetBackBuffer(BackBufferScale);
}

void ReleaseDirect3D() { SysRendererDestroy(); }

void ResizeWindowClient(int width, int height) {
  RequestedWindowScale = width / 320;
  if (RequestedWindowScale < 1) RequestedWindowScale = 1;
  ClientWidth = width;
  ClientHeight = height;
}

void ApplyWindowedMode() {
  if (FullscreenActive) SysSetFullscreenDesktop(false);
  FullscreenActive = 0;
  BackBufferScale = RequestedWindowScale;
  ClientWidth = 320 * BackBufferScale;
  ClientHeight = 180 * BackBufferScale;
  SysSetWindowClientSize(ClientWidth, ClientHeight);
  SysRendererSetBackBuffer(BackBufferScale);
}

void ApplyFullscreenMode() {
  MaxFullscreenScale = SysMaxFullscreenScale();
  SysSetFullscreenDesktop(true);
  FullscreenActive = 1;
  BackBufferScale = MaxFullscreenScale;
  ClientWidth = 320 * BackBufferScale;
  ClientHeight = 180 * BackBufferScale;
  SysRendererSetBackBuffer(BackBufferScale);
}

void BeginScene(std::uint32_t clearArgb) { SysRendererBeginFrame(clearArgb); }

void EndSceneAndPresent() {
  if (DrawSuspended) return;
  SysRendererPresent();
}

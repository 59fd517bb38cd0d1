#pragma once
// The framed dialogs of the settings: a window that grows from its centre
// when the dialog opens and shrinks to it when it closes, a sizeless panel
// inside it that holds every label (hiding it hides them all), and the
// blinking arrow beside the row under the cursor. Closing writes what the
// dialog changed to its file; a failed write is logged and the dialog
// closes all the same.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputConfigDialog : public CGameInput {
public:
  ~CGameInputConfigDialog() override = default;

  // Phase 3, the file written, the panel hidden and the window shrinking.
  void Close() override;
  void OnChildClosed() override;
  void Update() override;

  // Labels, colours and the arrow's place from the live settings.
  virtual void Refresh() = 0;

  std::int32_t Cursor = 0;
  CWidget Arrow;
  CWidget Panel;
  CWidgetWindow Window;

protected:
  // The window at (x, y), drawn about its centre; the panel inside it with
  // the given scale; the arrow 40 units left of the panel's edge.
  void LayOutFrame(int x, int y, int width, int height, float panelScale);
  // Phase 1 with the cursor on `row`, labels refreshed, the panel hidden
  // and the window growing from nothing.
  void Open(int row);
  // The arrow's middle on the middle of row `row`; rows are `pitch` apart
  // from `firstY`.
  void PlaceArrow(int firstY, int pitch, int row);

  // Phase 2: one frame of input.
  virtual void StepActive() = 0;
  // Phases 7 and up.
  virtual void StepOwnPhase() {}
  // What closing writes; false when the file could not be written.
  virtual bool Persist() = 0;
  // The name the log gives the file.
  virtual const char* PersistName() const = 0;

private:
  std::int32_t LaidWidth = 0, LaidHeight = 0;
};

// A caption-only widget: no picture, caption font 2 in white, its caption
// box the widget itself with alignment `align`, scale 4, parent `parent`.
void LayOutCaption(CWidget& w, CWidget* parent, int x, int y, int width, int height, int align,
                   const char* text = "");

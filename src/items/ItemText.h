#pragma once
// Writing item texts into a caller's buffer with bounds: every piece is cut
// at the last whole character that fits, and nothing is appended after a
// cut, so a long text ends cleanly instead of overrunning or splitting a
// double-byte character.
#include <cstddef>

#include "platform/TextTable.h"

class ItemTextWriter {
public:
  // Starts the buffer empty. A null buffer or a size of 0 takes nothing.
  ItemTextWriter(char* buffer, std::size_t size);

  // Appends text as it stands.
  void Append(const char* text);
  // Appends a text of the table in the current language as it stands.
  void AppendText(TextId id);
  // Appends a text of the table in the current language filled in printf
  // style with up to two whole numbers. A text that asks for anything but
  // whole numbers is appended as it stands, never used as a format.
  void AppendFormat(TextId id, int first = 0, int second = 0);
  // Appends one number through a format written in the code ("%+d ", " x%d").
  void AppendNumber(const char* format, int value);

  char* Buffer() const { return Start; }

private:
  void AppendFormatted(const char* format, int first, int second);

  char* Start;
  std::size_t Size;
  std::size_t Length = 0;
  bool Cut = false;
};

// Writes a text of the table in the current language as it stands; returns
// the buffer.
char* WriteItemText(TextId id, char* buffer, std::size_t size);

// Writes a text of the table in the current language through printf, so
// that its "%%" shows one "%"; returns the buffer.
char* WriteFormattedItemText(TextId id, char* buffer, std::size_t size);

// Writes a text of the table in the current language with its first %s
// filled by `value`; "%%" shows one "%" and the text never reaches printf.
// Returns the buffer.
char* WriteFilledItemText(TextId id, const char* value, char* buffer, std::size_t size);

// Writes the empty text; returns the buffer.
char* ClearItemText(char* buffer, std::size_t size);

// Whether a text asks printf for at most two whole numbers and nothing else.
bool IsWholeNumberFormat(const char* text);

// The name shown for an item of a kind not yet identified.
constexpr TextId UnknownNameText = 1155;  // "???"

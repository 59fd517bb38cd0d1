#include "ui/TextCopy.h"

#include <cstring>

std::size_t CopyTextCutN(char* dest, std::size_t capacity, const char* text, std::size_t count) {
  if (capacity == 0) return 0;
  std::size_t n = 0;
  if (text) {
    while (n < count && text[n] != '\0') {
      const bool wide = static_cast<unsigned char>(text[n]) >= 0x80 && text[n + 1] != '\0';
      const std::size_t step = wide ? 2 : 1;
      if (n + step > count || n + step > capacity - 1) break;
      n += step;
    }
    std::memmove(dest, text, n);  // a widget may be given its own text
  }
  dest[n] = '\0';
  return n;
}

std::size_t CopyTextCut(char* dest, std::size_t capacity, const char* text) {
  return CopyTextCutN(dest, capacity, text, static_cast<std::size_t>(-1));
}

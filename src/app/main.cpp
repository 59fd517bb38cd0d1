#include <malloc.h>

#include "app/Application.h"

int main(int argc, char** argv) {
  // Pictures, frames and decode buffers are large and come and go with
  // floors and window scales: given their own pages, they go back to the
  // system when freed instead of leaving the heap as large as it once was.
  mallopt(M_MMAP_THRESHOLD, 64 * 1024);
  return RunVorlumen(argc, argv);
}

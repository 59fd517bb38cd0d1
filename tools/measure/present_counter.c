/* Counts the frames the game presents, for scripts/measure-frames.sh: loaded
 * with LD_PRELOAD in front of SDL, it counts every SDL_RenderPresent into
 * the 8-byte file that PRESENT_COUNTER_FILE names, which the script reads
 * while the game runs. For scripts/measure-start.sh it writes the
 * milliseconds from the program's loading to its first present into the
 * file PRESENT_FIRST_FILE names. The game itself is run unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <stdio.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

typedef void (*PresentFunction)(void*);

static volatile uint64_t* counter;
static struct timespec loaded;

__attribute__((constructor)) static void Loaded(void) { clock_gettime(CLOCK_MONOTONIC, &loaded); }

static void WriteFirstPresent(void) {
  const char* path = getenv("PRESENT_FIRST_FILE");
  if (!path) return;
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  FILE* file = fopen(path, "w");
  if (!file) return;
  fprintf(file, "%.1f\n", (now.tv_sec - loaded.tv_sec) * 1e3 + (now.tv_nsec - loaded.tv_nsec) / 1e6);
  fclose(file);
}

static void OpenCounter(void) {
  const char* path = getenv("PRESENT_COUNTER_FILE");
  if (!path) return;
  int fd = open(path, O_RDWR | O_CREAT, 0644);
  if (fd < 0) return;
  if (ftruncate(fd, sizeof(uint64_t)) == 0) {
    void* map = mmap(NULL, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (map != MAP_FAILED) counter = map;
  }
  close(fd);
}

void SDL_RenderPresent(void* renderer) {
  static PresentFunction present;
  static int opened;
  if (!present) present = (PresentFunction)dlsym(RTLD_NEXT, "SDL_RenderPresent");
  if (!opened) {
    opened = 1;
    WriteFirstPresent();
    OpenCounter();
  }
  if (counter) ++*counter;
  if (present) present(renderer);
}

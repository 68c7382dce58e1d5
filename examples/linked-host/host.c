/* A host linked against the installed library: it names the entry points
 * (so the link needs the library) and prints the header's version. It
 * starts nothing: that needs a desktop. */
#include <axtrack/axtrack.h>
#include <stdio.h>

typedef void (*entry)(void);

int main(void) {
  const entry entries[] = {(entry)initMacAccessibility, (entry)start, (entry)focusPreiov};
  size_t linked = 0;
  size_t i;
  for (i = 0; i < sizeof entries / sizeof entries[0]; ++i) linked += entries[i] != NULL;
  printf("axtrack %s (%d.%d.%d), %u entry points linked\n", AXTRACK_VERSION, AXTRACK_VERSION_MAJOR,
         AXTRACK_VERSION_MINOR, AXTRACK_VERSION_PATCH, (unsigned)linked);
  return linked == 3 ? 0 : 1;
}

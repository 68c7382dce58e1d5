/* The kit for testing hosts (libaxtrack-kit), loaded beside the simulated
 * library so that a Node host's tests lay out desktops and play the user. */
#ifndef AXN_KIT_H
#define AXN_KIT_H

#include <stddef.h>

typedef struct axn_kit {
  void *handle;
  int (*load)(const char *scenario_path, char *error, size_t error_size);
  void (*run_until)(double seconds);
  double (*run_until_idle)(void);
  double (*now)(void);
  void *(*window)(const char *window_id);
  char *(*text)(const char *element_id);
  char *(*pasteboard)(void);
  int (*frontmost)(void);
  void (*free_text)(char *text);
} axn_kit;

/* As axn_library_open, for the kit's functions. */
int axn_kit_open(axn_kit *kit, const char *path, char *error, size_t error_size);

void axn_kit_close(axn_kit *kit);

#endif

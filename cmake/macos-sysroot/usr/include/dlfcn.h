/* Declaration sysroot: <dlfcn.h>, loading libraries at run time. */
#ifndef _DLFCN_H_
#define _DLFCN_H_

#include <sys/cdefs.h>

/* dlopen's modes: when symbols are bound (lazily or at once), and whether
 * the library's symbols serve later lookups of other libraries. */
#define RTLD_LAZY 0x1
#define RTLD_NOW 0x2
#define RTLD_LOCAL 0x4
#define RTLD_GLOBAL 0x8

__BEGIN_DECLS
void *dlopen(const char *path, int mode);
int dlclose(void *handle);
/* The last failure's message, or NULL; reading it clears it. */
char *dlerror(void);
void *dlsym(void *handle, const char *symbol);
__END_DECLS

#endif /* _DLFCN_H_ */

/* Declaration sysroot: <unistd.h>, a small subset. */
#ifndef _UNISTD_H_
#define _UNISTD_H_

#include <sys/cdefs.h>
#include <sys/types.h>

#define STDIN_FILENO 0
#define STDOUT_FILENO 1
#define STDERR_FILENO 2
#define _SC_NPROCESSORS_CONF 57
#define _SC_NPROCESSORS_ONLN 58
#define _SC_PAGESIZE 29

__BEGIN_DECLS
pid_t getpid(void);
pid_t getppid(void);
uid_t getuid(void);
int isatty(int descriptor);
int close(int descriptor);
ssize_t read(int descriptor, void *buffer, size_t size);
ssize_t write(int descriptor, const void *buffer, size_t size);
unsigned sleep(unsigned seconds);
int usleep(useconds_t microseconds);
long sysconf(int name);
__END_DECLS

#endif /* _UNISTD_H_ */

/* Declaration sysroot: <sched.h>. */
#ifndef _SCHED_H_
#define _SCHED_H_

#include <sys/cdefs.h>

struct sched_param {
  int sched_priority;
  char __opaque[4];
};

__BEGIN_DECLS
int sched_yield(void);
int sched_get_priority_min(int policy);
int sched_get_priority_max(int policy);
__END_DECLS

#endif /* _SCHED_H_ */

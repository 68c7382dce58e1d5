/* Declaration sysroot: <pthread.h>, the POSIX threads that libc++ and this
 * project use. Static initialisers carry the signature words the system's
 * implementation checks for. */
#ifndef _PTHREAD_H_
#define _PTHREAD_H_

#include <sys/cdefs.h>
#include <sys/types.h>
#include <sched.h>
#include <time.h>

#define PTHREAD_CREATE_JOINABLE 1
#define PTHREAD_CREATE_DETACHED 2

#define PTHREAD_MUTEX_NORMAL 0
#define PTHREAD_MUTEX_ERRORCHECK 1
#define PTHREAD_MUTEX_RECURSIVE 2
#define PTHREAD_MUTEX_DEFAULT PTHREAD_MUTEX_NORMAL

#define PTHREAD_MUTEX_INITIALIZER {0x32AAABA7, {0}}
#define PTHREAD_RECURSIVE_MUTEX_INITIALIZER {0x32AAABA2, {0}}
#define PTHREAD_COND_INITIALIZER {0x3CB0B1BB, {0}}
#define PTHREAD_ONCE_INIT {0x30B1BCBA, {0}}
#define PTHREAD_RWLOCK_INITIALIZER {0x2DA8B3B4, {0}}

__BEGIN_DECLS

int pthread_create(pthread_t *__restrict_arg thread, const pthread_attr_t *__restrict_arg attributes,
                   void *(*start)(void *), void *__restrict_arg argument);
int pthread_join(pthread_t thread, void **result);
int pthread_detach(pthread_t thread);
pthread_t pthread_self(void);
int pthread_equal(pthread_t first, pthread_t second);
void pthread_exit(void *result) __dead2;
int pthread_cancel(pthread_t thread);
int pthread_atfork(void (*prepare)(void), void (*parent)(void), void (*child)(void));
int pthread_threadid_np(pthread_t thread, __uint64_t *id);
int pthread_setname_np(const char *name);
int pthread_main_np(void);

int pthread_attr_init(pthread_attr_t *attributes);
int pthread_attr_destroy(pthread_attr_t *attributes);
int pthread_attr_setdetachstate(pthread_attr_t *attributes, int state);
int pthread_attr_setstacksize(pthread_attr_t *attributes, size_t size);

int pthread_mutexattr_init(pthread_mutexattr_t *attributes);
int pthread_mutexattr_destroy(pthread_mutexattr_t *attributes);
int pthread_mutexattr_settype(pthread_mutexattr_t *attributes, int type);
int pthread_mutex_init(pthread_mutex_t *__restrict_arg mutex,
                       const pthread_mutexattr_t *__restrict_arg attributes);
int pthread_mutex_destroy(pthread_mutex_t *mutex);
int pthread_mutex_lock(pthread_mutex_t *mutex);
int pthread_mutex_trylock(pthread_mutex_t *mutex);
int pthread_mutex_unlock(pthread_mutex_t *mutex);

int pthread_condattr_init(pthread_condattr_t *attributes);
int pthread_condattr_destroy(pthread_condattr_t *attributes);
int pthread_cond_init(pthread_cond_t *__restrict_arg condition,
                      const pthread_condattr_t *__restrict_arg attributes);
int pthread_cond_destroy(pthread_cond_t *condition);
int pthread_cond_wait(pthread_cond_t *__restrict_arg condition, pthread_mutex_t *__restrict_arg mutex);
int pthread_cond_timedwait(pthread_cond_t *__restrict_arg condition,
                           pthread_mutex_t *__restrict_arg mutex,
                           const struct timespec *__restrict_arg deadline);
int pthread_cond_signal(pthread_cond_t *condition);
int pthread_cond_broadcast(pthread_cond_t *condition);

int pthread_rwlock_init(pthread_rwlock_t *__restrict_arg lock,
                        const pthread_rwlockattr_t *__restrict_arg attributes);
int pthread_rwlock_destroy(pthread_rwlock_t *lock);
int pthread_rwlock_rdlock(pthread_rwlock_t *lock);
int pthread_rwlock_wrlock(pthread_rwlock_t *lock);
int pthread_rwlock_unlock(pthread_rwlock_t *lock);

int pthread_once(pthread_once_t *once, void (*function)(void));
int pthread_key_create(pthread_key_t *key, void (*destructor)(void *));
int pthread_key_delete(pthread_key_t key);
void *pthread_getspecific(pthread_key_t key);
int pthread_setspecific(pthread_key_t key, const void *value);

__END_DECLS

#endif /* _PTHREAD_H_ */

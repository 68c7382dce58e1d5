/* Declaration sysroot: <stdlib.h>, the subset this project and libc++ use. */
#ifndef _STDLIB_H_
#define _STDLIB_H_

#include <sys/cdefs.h>
#include <sys/_types.h>

#define __need_size_t
#define __need_wchar_t
#define __need_NULL
#include <stddef.h>

#define EXIT_SUCCESS 0
#define EXIT_FAILURE 1
#define RAND_MAX 0x7fffffff

typedef struct { int quot; int rem; } div_t;
typedef struct { long quot; long rem; } ldiv_t;
typedef struct { long long quot; long long rem; } lldiv_t;

__BEGIN_DECLS

void *malloc(size_t size);
void *calloc(size_t count, size_t size);
void *realloc(void *pointer, size_t size);
void free(void *pointer);
void *aligned_alloc(size_t alignment, size_t size) __AXSDK_MACOS(10.15);
int posix_memalign(void **result, size_t alignment, size_t size);

void abort(void) __dead2;
void exit(int status) __dead2;
void _Exit(int status) __dead2;
int atexit(void (*function)(void));
char *getenv(const char *name);
int setenv(const char *name, const char *value, int overwrite);
int unsetenv(const char *name);
int system(const char *command);

int atoi(const char *text);
long atol(const char *text);
long long atoll(const char *text);
double atof(const char *text);
long strtol(const char *__restrict_arg text, char **__restrict_arg end, int base);
long long strtoll(const char *__restrict_arg text, char **__restrict_arg end, int base);
unsigned long strtoul(const char *__restrict_arg text, char **__restrict_arg end, int base);
unsigned long long strtoull(const char *__restrict_arg text, char **__restrict_arg end, int base);
float strtof(const char *__restrict_arg text, char **__restrict_arg end);
double strtod(const char *__restrict_arg text, char **__restrict_arg end);
long double strtold(const char *__restrict_arg text, char **__restrict_arg end);

int abs(int value) __pure2;
long labs(long value) __pure2;
long long llabs(long long value) __pure2;
div_t div(int numerator, int denominator) __pure2;
ldiv_t ldiv(long numerator, long denominator) __pure2;
lldiv_t lldiv(long long numerator, long long denominator);

void qsort(void *base, size_t count, size_t size, int (*compare)(const void *, const void *));
void *bsearch(const void *key, const void *base, size_t count, size_t size,
              int (*compare)(const void *, const void *));

int rand(void);
void srand(unsigned seed);
__uint32_t arc4random(void);
void arc4random_buf(void *buffer, size_t size);
__uint32_t arc4random_uniform(__uint32_t upper_bound);

int mblen(const char *text, size_t size);
int mbtowc(wchar_t *__restrict_arg out, const char *__restrict_arg text, size_t size);
int wctomb(char *text, wchar_t character);
size_t mbstowcs(wchar_t *__restrict_arg out, const char *__restrict_arg text, size_t size);
size_t wcstombs(char *__restrict_arg out, const wchar_t *__restrict_arg text, size_t size);

__END_DECLS

#endif /* _STDLIB_H_ */

/* Declaration sysroot: <string.h>. */
#ifndef _STRING_H_
#define _STRING_H_

#include <sys/cdefs.h>

#define __need_size_t
#define __need_NULL
#include <stddef.h>

__BEGIN_DECLS

void *memcpy(void *__restrict_arg to, const void *__restrict_arg from, size_t size);
void *memmove(void *to, const void *from, size_t size);
void *memset(void *to, int byte, size_t size);
int memcmp(const void *first, const void *second, size_t size);
void *memchr(const void *where, int byte, size_t size);

size_t strlen(const char *text);
size_t strnlen(const char *text, size_t limit);
int strcmp(const char *first, const char *second);
int strncmp(const char *first, const char *second, size_t size);
int strcoll(const char *first, const char *second);
size_t strxfrm(char *__restrict_arg to, const char *__restrict_arg from, size_t size);
char *strcpy(char *__restrict_arg to, const char *__restrict_arg from);
char *strncpy(char *__restrict_arg to, const char *__restrict_arg from, size_t size);
char *strcat(char *__restrict_arg to, const char *__restrict_arg from);
char *strncat(char *__restrict_arg to, const char *__restrict_arg from, size_t size);
char *strchr(const char *text, int character);
char *strrchr(const char *text, int character);
char *strstr(const char *text, const char *part);
char *strpbrk(const char *text, const char *set);
size_t strspn(const char *text, const char *set);
size_t strcspn(const char *text, const char *set);
char *strtok(char *__restrict_arg text, const char *__restrict_arg separators);
char *strdup(const char *text);
char *strndup(const char *text, size_t limit);
char *strerror(int error);
int strerror_r(int error, char *buffer, size_t size);

__END_DECLS

#endif /* _STRING_H_ */

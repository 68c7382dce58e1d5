/* Declaration sysroot: <stdio.h>, the subset this project and libc++ use.
 * FILE is opaque here; the three standard streams are the C library's
 * variables __stdinp, __stdoutp and __stderrp. */
#ifndef _STDIO_H_
#define _STDIO_H_

#include <sys/cdefs.h>
#include <sys/_types.h>

#define __need_size_t
#define __need_NULL
#include <stddef.h>

typedef __darwin_va_list va_list;
typedef __darwin_off_t fpos_t;
typedef __darwin_off_t off_t;
typedef __darwin_ssize_t ssize_t;

/* The tag is ABI: it appears in C++ mangled names. */
typedef struct __sFILE FILE;

#define EOF (-1)
#define BUFSIZ 1024
#define FOPEN_MAX 20
#define FILENAME_MAX 1024
#define L_tmpnam 1024
#define TMP_MAX 308915776
#define SEEK_SET 0
#define SEEK_CUR 1
#define SEEK_END 2
#define _IOFBF 0
#define _IOLBF 1
#define _IONBF 2

__BEGIN_DECLS

extern FILE *__stdinp;
extern FILE *__stdoutp;
extern FILE *__stderrp;
#define stdin __stdinp
#define stdout __stdoutp
#define stderr __stderrp

FILE *fopen(const char *__restrict_arg path, const char *__restrict_arg mode);
FILE *fdopen(int descriptor, const char *mode);
FILE *freopen(const char *__restrict_arg path, const char *__restrict_arg mode,
              FILE *__restrict_arg stream);
int fclose(FILE *stream);
int fflush(FILE *stream);
int fileno(FILE *stream);
void setbuf(FILE *__restrict_arg stream, char *__restrict_arg buffer);
int setvbuf(FILE *__restrict_arg stream, char *__restrict_arg buffer, int mode, size_t size);

size_t fread(void *__restrict_arg buffer, size_t size, size_t count, FILE *__restrict_arg stream);
size_t fwrite(const void *__restrict_arg buffer, size_t size, size_t count,
              FILE *__restrict_arg stream);
int fgetc(FILE *stream);
int getc(FILE *stream);
int getchar(void);
int ungetc(int character, FILE *stream);
char *fgets(char *__restrict_arg buffer, int size, FILE *__restrict_arg stream);
int fputc(int character, FILE *stream);
int putc(int character, FILE *stream);
int putchar(int character);
int fputs(const char *__restrict_arg text, FILE *__restrict_arg stream);
int puts(const char *text);

int fseek(FILE *stream, long offset, int whence);
long ftell(FILE *stream);
int fseeko(FILE *stream, off_t offset, int whence);
off_t ftello(FILE *stream);
void rewind(FILE *stream);
int fgetpos(FILE *__restrict_arg stream, fpos_t *__restrict_arg position);
int fsetpos(FILE *stream, const fpos_t *position);
void clearerr(FILE *stream);
int feof(FILE *stream);
int ferror(FILE *stream);
void perror(const char *prefix);
int remove(const char *path);
int rename(const char *from, const char *to);
FILE *tmpfile(void);

int printf(const char *__restrict_arg format, ...) __printflike(1, 2);
int fprintf(FILE *__restrict_arg stream, const char *__restrict_arg format, ...) __printflike(2, 3);
int sprintf(char *__restrict_arg buffer, const char *__restrict_arg format, ...) __printflike(2, 3);
int snprintf(char *__restrict_arg buffer, size_t size, const char *__restrict_arg format, ...)
    __printflike(3, 4);
int vprintf(const char *__restrict_arg format, va_list arguments) __printflike(1, 0);
int vfprintf(FILE *__restrict_arg stream, const char *__restrict_arg format, va_list arguments)
    __printflike(2, 0);
int vsprintf(char *__restrict_arg buffer, const char *__restrict_arg format, va_list arguments)
    __printflike(2, 0);
int vsnprintf(char *__restrict_arg buffer, size_t size, const char *__restrict_arg format,
              va_list arguments) __printflike(3, 0);
int scanf(const char *__restrict_arg format, ...) __scanflike(1, 2);
int fscanf(FILE *__restrict_arg stream, const char *__restrict_arg format, ...) __scanflike(2, 3);
int sscanf(const char *__restrict_arg text, const char *__restrict_arg format, ...) __scanflike(2, 3);
int vscanf(const char *__restrict_arg format, va_list arguments) __scanflike(1, 0);
int vfscanf(FILE *__restrict_arg stream, const char *__restrict_arg format, va_list arguments)
    __scanflike(2, 0);
int vsscanf(const char *__restrict_arg text, const char *__restrict_arg format, va_list arguments)
    __scanflike(2, 0);

__END_DECLS

#endif /* _STDIO_H_ */

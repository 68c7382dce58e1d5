/* Declaration sysroot: <wchar.h>. */
#ifndef _WCHAR_H_
#define _WCHAR_H_

#include <sys/cdefs.h>
#include <sys/_types.h>

#define __need_size_t
#define __need_wchar_t
#define __need_NULL
#include <stddef.h>
#include <stdarg.h>

typedef __darwin_mbstate_t mbstate_t;
typedef __darwin_wint_t wint_t;
typedef struct __sFILE FILE;
struct tm;

#define WEOF ((wint_t)-1)
#define WCHAR_MIN (-2147483647 - 1)
#define WCHAR_MAX 2147483647

__BEGIN_DECLS

size_t wcslen(const wchar_t *text);
int wcscmp(const wchar_t *first, const wchar_t *second);
int wcsncmp(const wchar_t *first, const wchar_t *second, size_t size);
int wcscoll(const wchar_t *first, const wchar_t *second);
size_t wcsxfrm(wchar_t *__restrict_arg to, const wchar_t *__restrict_arg from, size_t size);
wchar_t *wcscpy(wchar_t *__restrict_arg to, const wchar_t *__restrict_arg from);
wchar_t *wcsncpy(wchar_t *__restrict_arg to, const wchar_t *__restrict_arg from, size_t size);
wchar_t *wcscat(wchar_t *__restrict_arg to, const wchar_t *__restrict_arg from);
wchar_t *wcsncat(wchar_t *__restrict_arg to, const wchar_t *__restrict_arg from, size_t size);
wchar_t *wcschr(const wchar_t *text, wchar_t character);
wchar_t *wcsrchr(const wchar_t *text, wchar_t character);
wchar_t *wcsstr(const wchar_t *__restrict_arg text, const wchar_t *__restrict_arg part);
wchar_t *wcspbrk(const wchar_t *text, const wchar_t *set);
size_t wcsspn(const wchar_t *text, const wchar_t *set);
size_t wcscspn(const wchar_t *text, const wchar_t *set);
wchar_t *wcstok(wchar_t *__restrict_arg text, const wchar_t *__restrict_arg separators,
                wchar_t **__restrict_arg state);
wchar_t *wmemchr(const wchar_t *where, wchar_t character, size_t size);
int wmemcmp(const wchar_t *first, const wchar_t *second, size_t size);
wchar_t *wmemcpy(wchar_t *__restrict_arg to, const wchar_t *__restrict_arg from, size_t size);
wchar_t *wmemmove(wchar_t *to, const wchar_t *from, size_t size);
wchar_t *wmemset(wchar_t *to, wchar_t character, size_t size);

long wcstol(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end, int base);
long long wcstoll(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end, int base);
unsigned long wcstoul(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end, int base);
unsigned long long wcstoull(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end,
                            int base);
float wcstof(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end);
double wcstod(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end);
long double wcstold(const wchar_t *__restrict_arg text, wchar_t **__restrict_arg end);

wint_t btowc(int byte);
int wctob(wint_t character);
int mbsinit(const mbstate_t *state);
size_t mbrlen(const char *__restrict_arg text, size_t size, mbstate_t *__restrict_arg state);
size_t mbrtowc(wchar_t *__restrict_arg out, const char *__restrict_arg text, size_t size,
               mbstate_t *__restrict_arg state);
size_t wcrtomb(char *__restrict_arg out, wchar_t character, mbstate_t *__restrict_arg state);
size_t mbsrtowcs(wchar_t *__restrict_arg out, const char **__restrict_arg text, size_t size,
                 mbstate_t *__restrict_arg state);
size_t wcsrtombs(char *__restrict_arg out, const wchar_t **__restrict_arg text, size_t size,
                 mbstate_t *__restrict_arg state);

wint_t fgetwc(FILE *stream);
wint_t getwc(FILE *stream);
wint_t getwchar(void);
wint_t fputwc(wchar_t character, FILE *stream);
wint_t putwc(wchar_t character, FILE *stream);
wint_t putwchar(wchar_t character);
wint_t ungetwc(wint_t character, FILE *stream);
wchar_t *fgetws(wchar_t *__restrict_arg buffer, int size, FILE *__restrict_arg stream);
int fputws(const wchar_t *__restrict_arg text, FILE *__restrict_arg stream);
int fwide(FILE *stream, int mode);
int fwprintf(FILE *__restrict_arg stream, const wchar_t *__restrict_arg format, ...);
int wprintf(const wchar_t *__restrict_arg format, ...);
int swprintf(wchar_t *__restrict_arg buffer, size_t size, const wchar_t *__restrict_arg format, ...);
int vfwprintf(FILE *__restrict_arg stream, const wchar_t *__restrict_arg format, va_list arguments);
int vwprintf(const wchar_t *__restrict_arg format, va_list arguments);
int vswprintf(wchar_t *__restrict_arg buffer, size_t size, const wchar_t *__restrict_arg format,
              va_list arguments);
int fwscanf(FILE *__restrict_arg stream, const wchar_t *__restrict_arg format, ...);
int wscanf(const wchar_t *__restrict_arg format, ...);
int swscanf(const wchar_t *__restrict_arg text, const wchar_t *__restrict_arg format, ...);
size_t wcsftime(wchar_t *__restrict_arg buffer, size_t size, const wchar_t *__restrict_arg format,
                const struct tm *__restrict_arg broken_down);

__END_DECLS

#endif /* _WCHAR_H_ */

/* Declaration sysroot: <xlocale.h>, locale objects and the per-thread
 * locale (POSIX 2008 newlocale/uselocale). */
#ifndef _XLOCALE_H_
#define _XLOCALE_H_

#include <sys/cdefs.h>
#include <sys/_types.h>

struct _xlocale;
typedef struct _xlocale *locale_t;

#define LC_COLLATE_MASK (1 << 0)
#define LC_CTYPE_MASK (1 << 1)
#define LC_MESSAGES_MASK (1 << 2)
#define LC_MONETARY_MASK (1 << 3)
#define LC_NUMERIC_MASK (1 << 4)
#define LC_TIME_MASK (1 << 5)
#define LC_ALL_MASK (LC_COLLATE_MASK | LC_CTYPE_MASK | LC_MESSAGES_MASK | LC_MONETARY_MASK | \
                     LC_NUMERIC_MASK | LC_TIME_MASK)
#define LC_GLOBAL_LOCALE ((locale_t)-1)

struct lconv;
struct __sFILE;

/* The largest number of bytes of one character in the locale's encoding. */
#define MB_CUR_MAX_L(locale) ((__darwin_size_t)___mb_cur_max_l(locale))

__BEGIN_DECLS
locale_t newlocale(int category_mask, const char *name, locale_t base);
locale_t duplocale(locale_t locale);
int freelocale(locale_t locale);
locale_t uselocale(locale_t locale);
const char *querylocale(int category_mask, locale_t locale);
struct lconv *localeconv_l(locale_t locale);

/* The conversions with an explicit locale that libc++'s <locale> uses. */
int ___mb_cur_max_l(locale_t locale);
int isdigit_l(int character, locale_t locale);
int isxdigit_l(int character, locale_t locale);
float strtof_l(const char *__restrict_arg text, char **__restrict_arg end, locale_t locale);
double strtod_l(const char *__restrict_arg text, char **__restrict_arg end, locale_t locale);
long double strtold_l(const char *__restrict_arg text, char **__restrict_arg end, locale_t locale);
long long strtoll_l(const char *__restrict_arg text, char **__restrict_arg end, int base,
                    locale_t locale);
unsigned long long strtoull_l(const char *__restrict_arg text, char **__restrict_arg end, int base,
                              locale_t locale);
int snprintf_l(char *__restrict_arg buffer, __darwin_size_t size, locale_t locale,
               const char *__restrict_arg format, ...) __printflike(4, 5);
int asprintf_l(char **__restrict_arg result, locale_t locale, const char *__restrict_arg format, ...)
    __printflike(3, 4);
int sscanf_l(const char *__restrict_arg text, locale_t locale, const char *__restrict_arg format, ...)
    __scanflike(3, 4);
__darwin_wint_t btowc_l(int byte, locale_t locale);
int wctob_l(__darwin_wint_t character, locale_t locale);
int mbtowc_l(__darwin_wchar_t *__restrict_arg out, const char *__restrict_arg text,
             __darwin_size_t size, locale_t locale);
__darwin_size_t mbrlen_l(const char *__restrict_arg text, __darwin_size_t size,
                         __darwin_mbstate_t *__restrict_arg state, locale_t locale);
__darwin_size_t mbrtowc_l(__darwin_wchar_t *__restrict_arg out, const char *__restrict_arg text,
                          __darwin_size_t size, __darwin_mbstate_t *__restrict_arg state,
                          locale_t locale);
__darwin_size_t wcrtomb_l(char *__restrict_arg out, __darwin_wchar_t character,
                          __darwin_mbstate_t *__restrict_arg state, locale_t locale);
__darwin_size_t mbsrtowcs_l(__darwin_wchar_t *__restrict_arg out, const char **__restrict_arg text,
                            __darwin_size_t size, __darwin_mbstate_t *__restrict_arg state,
                            locale_t locale);
__darwin_size_t mbsnrtowcs_l(__darwin_wchar_t *__restrict_arg out, const char **__restrict_arg text,
                             __darwin_size_t count, __darwin_size_t size,
                             __darwin_mbstate_t *__restrict_arg state, locale_t locale);
__darwin_size_t wcsnrtombs_l(char *__restrict_arg out, const __darwin_wchar_t **__restrict_arg text,
                             __darwin_size_t count, __darwin_size_t size,
                             __darwin_mbstate_t *__restrict_arg state, locale_t locale);
__END_DECLS

#endif /* _XLOCALE_H_ */

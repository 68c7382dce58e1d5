/* Declaration sysroot: <wctype.h>. */
#ifndef _WCTYPE_H_
#define _WCTYPE_H_

#include <sys/cdefs.h>
#include <sys/_types.h>
#include <ctype.h>

typedef __darwin_wint_t wint_t;
typedef __darwin_wctype_t wctype_t;
typedef int wctrans_t;
#ifndef WEOF
#define WEOF ((wint_t)-1)
#endif

__BEGIN_DECLS
int iswalnum(wint_t character);
int iswalpha(wint_t character);
int iswblank(wint_t character);
int iswcntrl(wint_t character);
int iswdigit(wint_t character);
int iswgraph(wint_t character);
int iswlower(wint_t character);
int iswprint(wint_t character);
int iswpunct(wint_t character);
int iswspace(wint_t character);
int iswupper(wint_t character);
int iswxdigit(wint_t character);
int iswctype(wint_t character, wctype_t type);
wctype_t wctype(const char *name);
wint_t towlower(wint_t character);
wint_t towupper(wint_t character);
__END_DECLS

#endif /* _WCTYPE_H_ */

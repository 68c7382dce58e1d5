/* Declaration sysroot: <nl_types.h>, message catalogues (libc++'s
 * std::messages uses them). */
#ifndef _NL_TYPES_H_
#define _NL_TYPES_H_

#include <sys/cdefs.h>

#define NL_SETD 1
#define NL_CAT_LOCALE 1

typedef struct __nl_cat_d *nl_catd;
typedef int nl_item;

__BEGIN_DECLS
nl_catd catopen(const char *name, int flag);
char *catgets(nl_catd catalogue, int set, int message, const char *fallback);
int catclose(nl_catd catalogue);
__END_DECLS

#endif /* _NL_TYPES_H_ */

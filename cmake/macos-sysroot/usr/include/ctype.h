/* Declaration sysroot: <ctype.h>. The classification functions are the C
 * library's exported functions; the _CTYPE_ bits are the classes of the
 * system's rune tables, which libc++'s std::ctype<char> masks refer to. */
#ifndef _CTYPE_H_
#define _CTYPE_H_

#include <sys/cdefs.h>

#define _CTYPE_A 0x00000100L /* alphabetic */
#define _CTYPE_C 0x00000200L /* control */
#define _CTYPE_D 0x00000400L /* digit */
#define _CTYPE_G 0x00000800L /* graphic */
#define _CTYPE_L 0x00001000L /* lower case */
#define _CTYPE_P 0x00002000L /* punctuation */
#define _CTYPE_S 0x00004000L /* space */
#define _CTYPE_U 0x00008000L /* upper case */
#define _CTYPE_X 0x00010000L /* hexadecimal digit */
#define _CTYPE_B 0x00020000L /* blank */
#define _CTYPE_R 0x00040000L /* printable */

__BEGIN_DECLS
int isalnum(int character);
int isalpha(int character);
int isblank(int character);
int iscntrl(int character);
int isdigit(int character);
int isgraph(int character);
int islower(int character);
int isprint(int character);
int ispunct(int character);
int isspace(int character);
int isupper(int character);
int isxdigit(int character);
int tolower(int character);
int toupper(int character);
__END_DECLS

/* Seven-bit ASCII: a test on the value alone. */
static __inline int isascii(int character) { return (character & ~0x7F) == 0; }

#endif /* _CTYPE_H_ */

/* Declaration sysroot: the blocks runtime (copying and releasing blocks). */
#ifndef _Block_H_
#define _Block_H_

#include <sys/cdefs.h>

__BEGIN_DECLS
void *_Block_copy(const void *block);
void _Block_release(const void *block);
__END_DECLS

#define Block_copy(block) ((__typeof(block))_Block_copy((const void *)(block)))
#define Block_release(block) _Block_release((const void *)(block))

#endif /* _Block_H_ */

/* Declaration sysroot for cross-building axtrack: Core Graphics' base
 * types. Written from Apple's public documentation. */
#ifndef CGBASE_H_
#define CGBASE_H_

#include <CoreFoundation/CFBase.h>
#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#define CG_EXTERN CF_EXPORT
#define CG_INLINE CF_INLINE
#define CG_EXTERN_C_BEGIN CF_EXTERN_C_BEGIN
#define CG_EXTERN_C_END CF_EXTERN_C_END

/* A coordinate: a double on the 64-bit architectures. */
typedef double CGFloat;
#define CGFLOAT_IS_DOUBLE 1
#define CGFLOAT_MIN __DBL_MIN__
#define CGFLOAT_MAX __DBL_MAX__
#define CGFLOAT_EPSILON __DBL_EPSILON__
#define CGFLOAT_DEFINED 1

#endif /* CGBASE_H_ */

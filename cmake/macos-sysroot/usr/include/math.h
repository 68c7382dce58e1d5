/* Declaration sysroot: <math.h>. Classification goes through the compiler's
 * builtins; the functions are the C library's. Each function comes in its
 * double, float (f) and long double (l) forms. */
#ifndef _MATH_H_
#define _MATH_H_

#include <sys/cdefs.h>

typedef float float_t;
typedef double double_t;

#define HUGE_VAL __builtin_huge_val()
#define HUGE_VALF __builtin_huge_valf()
#define HUGE_VALL __builtin_huge_vall()
#define INFINITY __builtin_inff()
#define NAN __builtin_nanf("")

#define FP_NAN 1
#define FP_INFINITE 2
#define FP_ZERO 3
#define FP_NORMAL 4
#define FP_SUBNORMAL 5
#define FP_ILOGB0 (-2147483647 - 1)
#define FP_ILOGBNAN (-2147483647 - 1)

#define MATH_ERRNO 1
#define MATH_ERREXCEPT 2
#define math_errhandling MATH_ERREXCEPT

#define fpclassify(x) __builtin_fpclassify(FP_NAN, FP_INFINITE, FP_NORMAL, FP_SUBNORMAL, FP_ZERO, (x))
#define isfinite(x) __builtin_isfinite(x)
#define isinf(x) __builtin_isinf(x)
#define isnan(x) __builtin_isnan(x)
#define isnormal(x) __builtin_isnormal(x)
#define signbit(x) __builtin_signbit(x)
#define isgreater(x, y) __builtin_isgreater((x), (y))
#define isgreaterequal(x, y) __builtin_isgreaterequal((x), (y))
#define isless(x, y) __builtin_isless((x), (y))
#define islessequal(x, y) __builtin_islessequal((x), (y))
#define islessgreater(x, y) __builtin_islessgreater((x), (y))
#define isunordered(x, y) __builtin_isunordered((x), (y))

#define __AXSDK_MATH1(name) \
  double name(double); float name##f(float); long double name##l(long double);
#define __AXSDK_MATH2(name) \
  double name(double, double); float name##f(float, float); \
  long double name##l(long double, long double);

__BEGIN_DECLS

__AXSDK_MATH1(fabs)
__AXSDK_MATH1(ceil)
__AXSDK_MATH1(floor)
__AXSDK_MATH1(trunc)
__AXSDK_MATH1(round)
__AXSDK_MATH1(rint)
__AXSDK_MATH1(nearbyint)
__AXSDK_MATH1(sqrt)
__AXSDK_MATH1(cbrt)
__AXSDK_MATH1(exp)
__AXSDK_MATH1(exp2)
__AXSDK_MATH1(expm1)
__AXSDK_MATH1(log)
__AXSDK_MATH1(log2)
__AXSDK_MATH1(log10)
__AXSDK_MATH1(log1p)
__AXSDK_MATH1(logb)
__AXSDK_MATH1(sin)
__AXSDK_MATH1(cos)
__AXSDK_MATH1(tan)
__AXSDK_MATH1(asin)
__AXSDK_MATH1(acos)
__AXSDK_MATH1(atan)
__AXSDK_MATH1(sinh)
__AXSDK_MATH1(cosh)
__AXSDK_MATH1(tanh)
__AXSDK_MATH1(asinh)
__AXSDK_MATH1(acosh)
__AXSDK_MATH1(atanh)
__AXSDK_MATH1(erf)
__AXSDK_MATH1(erfc)
__AXSDK_MATH1(tgamma)
__AXSDK_MATH1(lgamma)
__AXSDK_MATH2(pow)
__AXSDK_MATH2(fmod)
__AXSDK_MATH2(remainder)
__AXSDK_MATH2(atan2)
__AXSDK_MATH2(hypot)
__AXSDK_MATH2(fmin)
__AXSDK_MATH2(fmax)
__AXSDK_MATH2(fdim)
__AXSDK_MATH2(copysign)
__AXSDK_MATH2(nextafter)

double fma(double, double, double);
float fmaf(float, float, float);
long double fmal(long double, long double, long double);
double frexp(double, int *);
float frexpf(float, int *);
long double frexpl(long double, int *);
double ldexp(double, int);
float ldexpf(float, int);
long double ldexpl(long double, int);
double scalbn(double, int);
float scalbnf(float, int);
long double scalbnl(long double, int);
double modf(double, double *);
float modff(float, float *);
long double modfl(long double, long double *);
double remquo(double, double, int *);
float remquof(float, float, int *);
long double remquol(long double, long double, int *);
int ilogb(double);
int ilogbf(float);
int ilogbl(long double);
long lround(double);
long lroundf(float);
long lroundl(long double);
long long llround(double);
long long llroundf(float);
long long llroundl(long double);
long lrint(double);
long lrintf(float);
long lrintl(long double);
long long llrint(double);
long long llrintf(float);
long long llrintl(long double);
double nan(const char *);
float nanf(const char *);
long double nanl(const char *);
double nexttoward(double, long double);
float nexttowardf(float, long double);
long double nexttowardl(long double, long double);

__END_DECLS

#undef __AXSDK_MATH1
#undef __AXSDK_MATH2

#endif /* _MATH_H_ */

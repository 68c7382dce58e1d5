/* Declaration sysroot: AXValue, the wrapper that carries points, sizes,
 * rectangles, ranges and errors as accessibility values. */
#ifndef __AXVALUE__
#define __AXVALUE__

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CGGeometry.h>
#include <ApplicationServices/AXError.h>

CF_EXTERN_C_BEGIN
CF_IMPLICIT_BRIDGING_ENABLED

typedef CF_ENUM(uint32_t, AXValueType) {
  kAXValueTypeIllegal = 0,
  kAXValueTypeCGPoint = 1,  /* CGPoint */
  kAXValueTypeCGSize = 2,   /* CGSize */
  kAXValueTypeCGRect = 3,   /* CGRect */
  kAXValueTypeCFRange = 4,  /* CFRange */
  kAXValueTypeAXError = 5   /* AXError */
};
/* The earlier names of the same values. */
#define kAXValueIllegalType kAXValueTypeIllegal
#define kAXValueCGPointType kAXValueTypeCGPoint
#define kAXValueCGSizeType kAXValueTypeCGSize
#define kAXValueCGRectType kAXValueTypeCGRect
#define kAXValueCFRangeType kAXValueTypeCFRange
#define kAXValueAXErrorType kAXValueTypeAXError

typedef const struct CF_BRIDGED_TYPE(id) __AXValue *AXValueRef;

extern CFTypeID AXValueGetTypeID(void);
/* Copies the structure `value` points to, of the C type `type` names. */
extern AXValueRef AXValueCreate(AXValueType type, const void *value);
extern AXValueType AXValueGetType(AXValueRef value);
/* False when `type` is not the value's type. */
extern Boolean AXValueGetValue(AXValueRef value, AXValueType type, void *out);

CF_IMPLICIT_BRIDGING_DISABLED
CF_EXTERN_C_END

#endif /* __AXVALUE__ */

/* Declaration sysroot: the root class NSObject and the NSObject protocol,
 * which the Objective-C runtime library provides. */
#ifndef _OBJC_NSOBJECT_H_
#define _OBJC_NSOBJECT_H_

#if defined(__OBJC__)

#include <objc/objc.h>
#include <objc/NSObjCRuntime.h>

@class NSString, Protocol;
struct _NSZone;

@protocol NSObject
- (BOOL)isEqual:(id)object;
@property(readonly) NSUInteger hash;
@property(readonly) Class superclass;
- (Class)class;
- (instancetype)self;
- (id)performSelector:(SEL)selector;
- (id)performSelector:(SEL)selector withObject:(id)object;
- (id)performSelector:(SEL)selector withObject:(id)first withObject:(id)second;
- (BOOL)isProxy;
- (BOOL)isKindOfClass:(Class)cls;
- (BOOL)isMemberOfClass:(Class)cls;
- (BOOL)conformsToProtocol:(Protocol *)protocol;
- (BOOL)respondsToSelector:(SEL)selector;
- (instancetype)retain OBJC_ARC_UNAVAILABLE;
- (oneway void)release OBJC_ARC_UNAVAILABLE;
- (instancetype)autorelease OBJC_ARC_UNAVAILABLE;
- (NSUInteger)retainCount OBJC_ARC_UNAVAILABLE;
- (struct _NSZone *)zone OBJC_ARC_UNAVAILABLE;
@property(readonly, copy) NSString *description;
@optional
@property(readonly, copy) NSString *debugDescription;
@end

OBJC_ROOT_CLASS
@interface NSObject <NSObject> {
  Class isa;
}
+ (void)load;
+ (void)initialize;
+ (instancetype)new;
+ (instancetype)alloc;
- (instancetype)init;
- (void)dealloc;
- (id)copy;
- (id)mutableCopy;
+ (Class)class;
+ (Class)superclass;
+ (BOOL)isSubclassOfClass:(Class)cls;
+ (BOOL)instancesRespondToSelector:(SEL)selector;
+ (BOOL)conformsToProtocol:(Protocol *)protocol;
+ (NSString *)description;
- (void)doesNotRecognizeSelector:(SEL)selector;
- (id)forwardingTargetForSelector:(SEL)selector;
@end

#endif /* __OBJC__ */

#endif /* _OBJC_NSOBJECT_H_ */

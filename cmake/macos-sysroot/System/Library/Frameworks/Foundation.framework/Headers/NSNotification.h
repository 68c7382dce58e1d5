/* Declaration sysroot: notifications, their centres, and the operation
 * queues that block observers may run on. */
#ifndef _FOUNDATION_NSNOTIFICATION_H_
#define _FOUNDATION_NSNOTIFICATION_H_

#include <Foundation/NSObject.h>

@class NSString, NSDictionary;

typedef NSString *NSNotificationName NS_TYPED_EXTENSIBLE_ENUM;

@interface NSNotification : NSObject <NSCopying>
@property(readonly, copy) NSNotificationName name;
@property(readonly, retain) id object;
@property(readonly, copy) NSDictionary *userInfo;
+ (instancetype)notificationWithName:(NSNotificationName)name object:(id)object;
+ (instancetype)notificationWithName:(NSNotificationName)name object:(id)object userInfo:(NSDictionary *)userInfo;
@end

@interface NSOperationQueue : NSObject
@property(class, readonly, strong) NSOperationQueue *mainQueue;
@property(class, readonly, strong) NSOperationQueue *currentQueue;
#if defined(__BLOCKS__)
- (void)addOperationWithBlock:(void (^)(void))block;
#endif
@end

@interface NSNotificationCenter : NSObject
@property(class, readonly, strong) NSNotificationCenter *defaultCenter;
- (void)addObserver:(id)observer selector:(SEL)selector name:(NSNotificationName)name object:(id)object;
#if defined(__BLOCKS__)
/* The returned object is the observation: pass it to removeObserver:. The
 * centre keeps it until then. A nil queue runs the block on the posting
 * thread. */
- (id<NSObject>)addObserverForName:(NSNotificationName)name
                            object:(id)object
                             queue:(NSOperationQueue *)queue
                        usingBlock:(void (^)(NSNotification *notification))block;
#endif
- (void)removeObserver:(id)observer;
- (void)removeObserver:(id)observer name:(NSNotificationName)name object:(id)object;
- (void)postNotification:(NSNotification *)notification;
- (void)postNotificationName:(NSNotificationName)name object:(id)object;
- (void)postNotificationName:(NSNotificationName)name object:(id)object userInfo:(NSDictionary *)userInfo;
@end

#endif /* _FOUNDATION_NSNOTIFICATION_H_ */

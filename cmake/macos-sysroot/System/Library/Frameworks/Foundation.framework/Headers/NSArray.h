/* Declaration sysroot: arrays (toll-free bridged with CFArrayRef). */
#ifndef _FOUNDATION_NSARRAY_H_
#define _FOUNDATION_NSARRAY_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSEnumerator.h>
#include <Foundation/NSRange.h>

@interface NSArray<__covariant ObjectType> : NSObject <NSCopying, NSMutableCopying, NSFastEnumeration>
@property(readonly) NSUInteger count;
- (ObjectType)objectAtIndex:(NSUInteger)index;
- (instancetype)init;
- (instancetype)initWithObjects:(const ObjectType __unsafe_unretained[])objects count:(NSUInteger)count;
@end

@interface NSArray<ObjectType> (NSExtendedArray)
+ (instancetype)array;
+ (instancetype)arrayWithObject:(ObjectType)object;
+ (instancetype)arrayWithObjects:(const ObjectType __unsafe_unretained[])objects count:(NSUInteger)count;
+ (instancetype)arrayWithArray:(NSArray<ObjectType> *)array;
- (ObjectType)objectAtIndexedSubscript:(NSUInteger)index;
@property(readonly) ObjectType firstObject;
@property(readonly) ObjectType lastObject;
- (BOOL)containsObject:(ObjectType)object;
- (NSUInteger)indexOfObject:(ObjectType)object;
- (NSArray<ObjectType> *)subarrayWithRange:(NSRange)range;
- (NSArray<ObjectType> *)arrayByAddingObject:(ObjectType)object;
- (NSEnumerator<ObjectType> *)objectEnumerator;
#if defined(__BLOCKS__)
- (void)enumerateObjectsUsingBlock:(void (NS_NOESCAPE ^)(ObjectType object, NSUInteger index, BOOL *stop))block;
#endif
@end

@interface NSMutableArray<ObjectType> : NSArray<ObjectType>
+ (instancetype)arrayWithCapacity:(NSUInteger)capacity;
- (void)addObject:(ObjectType)object;
- (void)insertObject:(ObjectType)object atIndex:(NSUInteger)index;
- (void)removeLastObject;
- (void)removeObjectAtIndex:(NSUInteger)index;
- (void)removeObject:(ObjectType)object;
- (void)removeAllObjects;
- (void)replaceObjectAtIndex:(NSUInteger)index withObject:(ObjectType)object;
- (void)setObject:(ObjectType)object atIndexedSubscript:(NSUInteger)index;
- (void)addObjectsFromArray:(NSArray<ObjectType> *)array;
@end

#endif /* _FOUNDATION_NSARRAY_H_ */

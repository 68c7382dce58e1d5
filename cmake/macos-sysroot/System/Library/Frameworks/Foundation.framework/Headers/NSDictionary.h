/* Declaration sysroot: dictionaries (toll-free bridged with
 * CFDictionaryRef). */
#ifndef _FOUNDATION_NSDICTIONARY_H_
#define _FOUNDATION_NSDICTIONARY_H_

#include <Foundation/NSObject.h>
#include <Foundation/NSEnumerator.h>

@class NSArray<ObjectType>;

@interface NSDictionary<__covariant KeyType, __covariant ObjectType>
    : NSObject <NSCopying, NSMutableCopying, NSFastEnumeration>
@property(readonly) NSUInteger count;
- (ObjectType)objectForKey:(KeyType)key;
- (NSEnumerator<KeyType> *)keyEnumerator;
- (instancetype)init;
- (instancetype)initWithObjects:(const ObjectType __unsafe_unretained[])objects
                        forKeys:(const KeyType<NSCopying> __unsafe_unretained[])keys
                          count:(NSUInteger)count;
@end

@interface NSDictionary<KeyType, ObjectType> (NSExtendedDictionary)
+ (instancetype)dictionary;
+ (instancetype)dictionaryWithObject:(ObjectType)object forKey:(KeyType<NSCopying>)key;
+ (instancetype)dictionaryWithObjects:(const ObjectType __unsafe_unretained[])objects
                              forKeys:(const KeyType<NSCopying> __unsafe_unretained[])keys
                                count:(NSUInteger)count;
+ (instancetype)dictionaryWithDictionary:(NSDictionary<KeyType, ObjectType> *)dictionary;
- (ObjectType)objectForKeyedSubscript:(KeyType)key;
@property(readonly, copy) NSArray<KeyType> *allKeys;
@property(readonly, copy) NSArray<ObjectType> *allValues;
#if defined(__BLOCKS__)
- (void)enumerateKeysAndObjectsUsingBlock:(void (NS_NOESCAPE ^)(KeyType key, ObjectType object, BOOL *stop))block;
#endif
@end

@interface NSMutableDictionary<KeyType, ObjectType> : NSDictionary<KeyType, ObjectType>
+ (instancetype)dictionaryWithCapacity:(NSUInteger)capacity;
- (void)setObject:(ObjectType)object forKey:(KeyType<NSCopying>)key;
- (void)setObject:(ObjectType)object forKeyedSubscript:(KeyType<NSCopying>)key;
- (void)removeObjectForKey:(KeyType)key;
- (void)removeAllObjects;
@end

#endif /* _FOUNDATION_NSDICTIONARY_H_ */

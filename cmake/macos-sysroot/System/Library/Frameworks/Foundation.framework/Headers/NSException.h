/* Declaration sysroot: Objective-C exceptions, for @catch. */
#ifndef _FOUNDATION_NSEXCEPTION_H_
#define _FOUNDATION_NSEXCEPTION_H_

#include <Foundation/NSObject.h>

@class NSString, NSDictionary;

typedef NSString *NSExceptionName NS_TYPED_EXTENSIBLE_ENUM;

@interface NSException : NSObject <NSCopying>
+ (NSException *)exceptionWithName:(NSExceptionName)name reason:(NSString *)reason userInfo:(NSDictionary *)userInfo;
@property(readonly, copy) NSExceptionName name;
@property(readonly, copy) NSString *reason;
@property(readonly, copy) NSDictionary *userInfo;
- (void)raise;
@end

#endif /* _FOUNDATION_NSEXCEPTION_H_ */

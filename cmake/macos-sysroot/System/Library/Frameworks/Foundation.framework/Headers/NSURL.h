/* Declaration sysroot: URLs (toll-free bridged with CFURLRef). */
#ifndef _FOUNDATION_NSURL_H_
#define _FOUNDATION_NSURL_H_

#include <Foundation/NSObject.h>

@class NSString;

@interface NSURL : NSObject <NSCopying>
+ (instancetype)URLWithString:(NSString *)text;
+ (NSURL *)fileURLWithPath:(NSString *)path;
@property(readonly, copy) NSString *absoluteString;
@property(readonly, copy) NSString *path;
@property(readonly, getter=isFileURL) BOOL fileURL;
@end

#endif /* _FOUNDATION_NSURL_H_ */

/* Declaration sysroot: pasteboards and their items. */
#ifndef _APPKIT_NSPASTEBOARD_H_
#define _APPKIT_NSPASTEBOARD_H_

#include <AppKit/AppKitDefines.h>
#include <Foundation/Foundation.h>

@class NSPasteboard;

typedef NSString *NSPasteboardType NS_TYPED_EXTENSIBLE_ENUM;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeString;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeRTF;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeRTFD;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeHTML;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeTabularText;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypePDF;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypePNG;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeTIFF;
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeURL NS_AVAILABLE_MAC(10.13);
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeFileURL NS_AVAILABLE_MAC(10.13);
APPKIT_EXTERN NSPasteboardType const NSPasteboardTypeMultipleTextSelection;

typedef NSString *NSPasteboardName NS_TYPED_EXTENSIBLE_ENUM;
APPKIT_EXTERN NSPasteboardName const NSPasteboardNameGeneral NS_AVAILABLE_MAC(10.13);

/* What can be written to a pasteboard with writeObjects:. */
@protocol NSPasteboardWriting <NSObject>
@required
- (NSArray<NSPasteboardType> *)writableTypesForPasteboard:(NSPasteboard *)pasteboard;
- (id)pasteboardPropertyListForType:(NSPasteboardType)type;
@end

@protocol NSPasteboardReading <NSObject>
@end

@interface NSPasteboardItem : NSObject <NSPasteboardWriting, NSPasteboardReading>
@property(readonly, copy) NSArray<NSPasteboardType> *types;
- (NSPasteboardType)availableTypeFromArray:(NSArray<NSPasteboardType> *)types;
- (BOOL)setData:(NSData *)data forType:(NSPasteboardType)type;
- (BOOL)setString:(NSString *)string forType:(NSPasteboardType)type;
- (BOOL)setPropertyList:(id)propertyList forType:(NSPasteboardType)type;
- (NSData *)dataForType:(NSPasteboardType)type;
- (NSString *)stringForType:(NSPasteboardType)type;
- (id)propertyListForType:(NSPasteboardType)type;
@end

@interface NSPasteboard : NSObject
@property(class, readonly, strong) NSPasteboard *generalPasteboard;
+ (NSPasteboard *)pasteboardWithName:(NSPasteboardName)name;
@property(readonly, strong) NSPasteboardName name;
/* Increases whenever the pasteboard's owner or contents change. */
@property(readonly) NSInteger changeCount;
/* Empties the pasteboard and takes ownership; returns the new count. */
- (NSInteger)clearContents;
- (BOOL)writeObjects:(NSArray<id<NSPasteboardWriting>> *)objects;
- (NSArray *)readObjectsForClasses:(NSArray<Class> *)classes options:(NSDictionary *)options;
@property(readonly, copy) NSArray<NSPasteboardItem *> *pasteboardItems;
@property(readonly, copy) NSArray<NSPasteboardType> *types;
- (NSPasteboardType)availableTypeFromArray:(NSArray<NSPasteboardType> *)types;
- (NSInteger)declareTypes:(NSArray<NSPasteboardType> *)types owner:(id)owner;
- (BOOL)setData:(NSData *)data forType:(NSPasteboardType)type;
- (BOOL)setString:(NSString *)string forType:(NSPasteboardType)type;
- (NSData *)dataForType:(NSPasteboardType)type;
- (NSString *)stringForType:(NSPasteboardType)type;
@end

#endif /* _APPKIT_NSPASTEBOARD_H_ */

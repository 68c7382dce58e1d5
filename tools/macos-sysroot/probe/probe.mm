// A small Objective-C++ library that calls into every framework of the
// declaration sysroot, so that a cross build proves the headers compile
// (ARC, blocks, C++20) and that each call links to the library that
// provides it. It is built and inspected, never run.
#import <AppKit/AppKit.h>
#import <ApplicationServices/ApplicationServices.h>
#import <Carbon/Carbon.h>
#import <CoreFoundation/CoreFoundation.h>
#import <CoreGraphics/CoreGraphics.h>
#import <Foundation/Foundation.h>
#include <dispatch/dispatch.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "probe.h"

namespace {

// CFString (UTF-16) to std::string (UTF-8).
std::string toUtf8(CFStringRef text) {
  if (text == nullptr) return {};
  const CFIndex length = CFStringGetLength(text);
  const CFIndex size = CFStringGetMaximumSizeForEncoding(length, kCFStringEncodingUTF8) + 1;
  std::string out(static_cast<std::size_t>(size), '\0');
  CFIndex used = 0;
  CFStringGetBytes(text, CFRangeMake(0, length), kCFStringEncodingUTF8, '?', false,
                   reinterpret_cast<UInt8*>(out.data()), size, &used);
  out.resize(static_cast<std::size_t>(used));
  return out;
}

void observerCallback(AXObserverRef, AXUIElementRef, CFStringRef notification, void* refcon) {
  auto* seen = static_cast<std::vector<std::string>*>(refcon);
  seen->push_back(toUtf8(notification));
}

OSStatus hotKeyHandler(EventHandlerCallRef, EventRef event, void* userData) {
  EventHotKeyID id{};
  const OSStatus status = GetEventParameter(event, kEventParamDirectObject, typeEventHotKeyID,
                                            nullptr, sizeof id, nullptr, &id);
  if (status == noErr) static_cast<std::atomic<unsigned>*>(userData)->store(id.id);
  return status == noErr ? noErr : static_cast<OSStatus>(eventNotHandledErr);
}

}  // namespace

@interface AXTProbeHover : NSObject
@property(nonatomic) int entered;
@end

@implementation AXTProbeHover
- (void)mouseEntered:(NSEvent*)event {
  (void)event;
  ++_entered;
}
@end

extern "C" int axt_probe_accessibility(int pid, char* role, int size) {
  const void* keys[] = {kAXTrustedCheckOptionPrompt};
  const void* values[] = {kCFBooleanFalse};
  CFDictionaryRef options = CFDictionaryCreate(kCFAllocatorDefault, keys, values, 1,
                                               &kCFTypeDictionaryKeyCallBacks,
                                               &kCFTypeDictionaryValueCallBacks);
  const bool trusted = AXIsProcessTrustedWithOptions(options);
  CFRelease(options);
  if (!trusted) return -1;

  AXUIElementRef systemWide = AXUIElementCreateSystemWide();
  AXUIElementSetMessagingTimeout(systemWide, 1.0f);
  CFRelease(systemWide);

  AXUIElementRef application = AXUIElementCreateApplication(pid);
  CFTypeRef value = nullptr;
  AXError error = AXUIElementCopyAttributeValue(application, kAXRoleAttribute, &value);
  if (error == kAXErrorSuccess && value != nullptr && CFGetTypeID(value) == CFStringGetTypeID()) {
    std::snprintf(role, static_cast<std::size_t>(size), "%s",
                  toUtf8(static_cast<CFStringRef>(value)).c_str());
  }
  if (value != nullptr) CFRelease(value);

  CFRange range = CFRangeMake(0, 4);
  AXValueRef wrapped = AXValueCreate(kAXValueTypeCFRange, &range);
  CFTypeRef text = nullptr;
  AXUIElementCopyParameterizedAttributeValue(application, kAXStringForRangeParameterizedAttribute,
                                             wrapped, &text);
  if (text != nullptr) CFRelease(text);
  CFRelease(wrapped);

  const UInt8 bytes[] = {1, 2, 3};
  AXTextMarkerRef marker = AXTextMarkerCreate(kCFAllocatorDefault, bytes, 3);
  AXTextMarkerRangeRef markers = AXTextMarkerRangeCreate(kCFAllocatorDefault, marker, marker);
  AXTextMarkerRef start = AXTextMarkerRangeCopyStartMarker(markers);
  const bool same = AXTextMarkerGetLength(start) == 3;
  CFRelease(start);
  CFRelease(markers);
  CFRelease(marker);

  static std::vector<std::string> seen;
  AXObserverRef observer = nullptr;
  if (AXObserverCreate(pid, observerCallback, &observer) == kAXErrorSuccess) {
    AXObserverAddNotification(observer, application, kAXFocusedUIElementChangedNotification, &seen);
    CFRunLoopAddSource(CFRunLoopGetMain(), AXObserverGetRunLoopSource(observer),
                       kCFRunLoopDefaultMode);
  }
  CFRelease(application);
  return same ? static_cast<int>(error) : -2;
}

extern "C" int axt_probe_keyboard(void) {
  CGEventSourceRef source = CGEventSourceCreate(kCGEventSourceStateHIDSystemState);
  CGEventRef down = CGEventCreateKeyboardEvent(source, kVK_ANSI_V, true);
  CGEventSetFlags(down, kCGEventFlagMaskCommand);
  CGEventPost(kCGHIDEventTap, down);
  CFRelease(down);
  if (source != nullptr) CFRelease(source);

  static std::atomic<unsigned> pressed{0};
  const EventTypeSpec hotKeyPressed{kEventClassKeyboard, kEventHotKeyPressed};
  InstallEventHandler(GetApplicationEventTarget(), NewEventHandlerUPP(hotKeyHandler), 1, &hotKeyPressed,
                      &pressed, nullptr);
  EventHotKeyRef hotKey = nullptr;
  const EventHotKeyID id{'AXTP', 1};
  const OSStatus status = RegisterEventHotKey(kVK_ANSI_V, cmdKey | optionKey, id,
                                              GetApplicationEventTarget(), 0, &hotKey);
  const CGRect bounds = CGDisplayBounds(CGMainDisplayID());
  return status == noErr && CGRectGetWidth(bounds) > 0 && CGRectGetHeight(bounds) > 0 ? 0 : 1;
}

extern "C" void axt_probe_workspace(void (*activated)(int pid, const char* bundle)) {
  NSNotificationCenter* center = NSWorkspace.sharedWorkspace.notificationCenter;
  [center addObserverForName:NSWorkspaceDidActivateApplicationNotification
                      object:nil
                       queue:nil
                  usingBlock:^(NSNotification* note) {
                    NSRunningApplication* app = note.userInfo[NSWorkspaceApplicationKey];
                    if (app != nil && activated != nullptr) {
                      activated(app.processIdentifier, app.bundleIdentifier.UTF8String);
                    }
                  }];
  NSRunningApplication* front = NSWorkspace.sharedWorkspace.frontmostApplication;
  if (front.finishedLaunching) [front activateWithOptions:NSApplicationActivateIgnoringOtherApps];
}

extern "C" void axt_probe_later(double seconds, void (*done)(void* context), void* context) {
  auto shared = std::make_shared<std::function<void()>>([done, context] { done(context); });
  dispatch_after(dispatch_time(DISPATCH_TIME_NOW, static_cast<int64_t>(seconds * NSEC_PER_SEC)),
                 dispatch_get_main_queue(), ^{
                   (*shared)();
                 });
  [NSTimer scheduledTimerWithTimeInterval:seconds
                                  repeats:NO
                                    block:^(NSTimer* timer) {
                                      (void)timer;
                                    }];
  NSTimer* timer = [NSTimer timerWithTimeInterval:seconds repeats:NO block:^(NSTimer*) {}];
  [NSRunLoop.mainRunLoop addTimer:timer forMode:NSRunLoopCommonModes];
  (void)NSDate.date.timeIntervalSinceReferenceDate;
}

extern "C" long axt_probe_pasteboard(void) {
  NSPasteboard* board = NSPasteboard.generalPasteboard;
  __weak NSPasteboard* weakBoard = board;
  @autoreleasepool {
    @try {
      (void)[weakBoard types];
    } @catch (NSException* exception) {
      NSLog(@"pasteboard: %@", exception.reason);
    }
  }
  const NSInteger before = board.changeCount;
  NSMutableArray<NSPasteboardItem*>* copies = [NSMutableArray array];
  for (NSPasteboardItem* item in board.pasteboardItems) {
    NSPasteboardItem* copy = [[NSPasteboardItem alloc] init];
    for (NSPasteboardType type in item.types) {
      NSData* data = [item dataForType:type];
      if (data != nil) [copy setData:data forType:type];
    }
    [copies addObject:copy];
  }
  NSString* text = [board stringForType:NSPasteboardTypeString];
  [board clearContents];
  [board writeObjects:copies];
  NSDictionary* summary = @{@"before" : @(before), @"text" : text != nil ? text : @"", @"items" : @(copies.count)};
  return static_cast<long>([summary[@"items"] integerValue]);
}

extern "C" void* axt_probe_track(void* object) {
  id candidate = (__bridge id)object;
  if (![candidate isKindOfClass:[NSWindow class]]) return nullptr;
  NSWindow* window = candidate;
  NSView* content = window.contentView;
  AXTProbeHover* hover = [[AXTProbeHover alloc] init];
  NSTrackingArea* area = [[NSTrackingArea alloc]
      initWithRect:content.bounds
           options:NSTrackingMouseEnteredAndExited | NSTrackingActiveAlways | NSTrackingInVisibleRect
             owner:hover
          userInfo:nil];
  [content addTrackingArea:area];
  std::map<std::string, std::variant<int, std::string>> facts{{"width", static_cast<int>(NSWidth(content.bounds))}};
  (void)facts;
  return (__bridge_retained void*)hover;
}

extern "C" int axt_probe_threads(void) {
  std::mutex mutex;
  std::condition_variable ready;
  std::optional<int> value;
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::lock_guard<std::mutex> lock(mutex);
    value = 42;
    ready.notify_one();
  });
  std::unique_lock<std::mutex> lock(mutex);
  ready.wait_for(lock, std::chrono::seconds(1), [&] { return value.has_value(); });
  lock.unlock();
  worker.join();
  return value.value_or(0);
}

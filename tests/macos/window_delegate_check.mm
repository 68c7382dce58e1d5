// On a Mac: the host's own window delegate keeps hearing its messages after
// addMouseTracker. A document window's delegate answers windowShouldClose:
// (here it refuses, as one does while the user has unsaved work); after the
// library has become the window's delegate, closing the window must still
// ask it, and the window must stay open. A second tracker on the same window
// must keep the chain whole.
//
//   window_delegate_check PATH_TO_LIBRARY      exit status 0 when it held
#import <AppKit/AppKit.h>

#include <dlfcn.h>
#include <stdio.h>

@interface HostWindowDelegate : NSObject <NSWindowDelegate>
@property int closeQuestions;
@property int resizes;
@end

@implementation HostWindowDelegate
- (BOOL)windowShouldClose:(NSWindow*)sender {
  (void)sender;
  ++self.closeQuestions;
  return NO;
}
- (void)windowDidResize:(NSNotification*)notification {
  (void)notification;
  ++self.resizes;
}
@end

static int failures = 0;

static void expect(bool held, const char* what) {
  printf("%s: %s\n", held ? "ok" : "FAILED", what);
  if (!held) ++failures;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    fprintf(stderr, "dlopen %s: %s\n", argv[1], dlerror());
    return 1;
  }
  auto addMouseTracker = reinterpret_cast<void (*)(void*)>(dlsym(library, "addMouseTracker"));
  if (addMouseTracker == nullptr) {
    fprintf(stderr, "addMouseTracker is missing\n");
    return 1;
  }
  @autoreleasepool {
    [NSApplication sharedApplication];
    NSWindow* window = [[NSWindow alloc] initWithContentRect:NSMakeRect(100, 100, 300, 200)
                                                   styleMask:NSWindowStyleMaskTitled | NSWindowStyleMaskClosable |
                                                             NSWindowStyleMaskResizable
                                                     backing:NSBackingStoreBuffered
                                                       defer:NO];
    window.releasedWhenClosed = NO;
    HostWindowDelegate* host = [[HostWindowDelegate alloc] init];
    window.delegate = host;
    [window orderFront:nil];
    // The precondition, before the library is involved: the delegate is asked.
    [window performClose:nil];
    expect(host.closeQuestions == 1 && window.visible, "the host's delegate refuses the close (before)");

    addMouseTracker((__bridge void*)window);
    expect(window.delegate != nil && window.delegate != (id)host, "the library's object is the window's delegate");
    expect([window.delegate respondsToSelector:@selector(windowShouldClose:)],
           "the window's delegate answers for windowShouldClose:");
    [window performClose:nil];
    expect(host.closeQuestions == 2, "closing the window still asks the host's delegate");
    expect(window.visible, "and its refusal keeps the window open");
    [window setContentSize:NSMakeSize(320, 220)];
    expect(host.resizes >= 1, "a resize reaches the host's delegate");

    addMouseTracker((__bridge void*)window);
    [window performClose:nil];
    expect(host.closeQuestions == 3 && window.visible, "a second tracker passes the question on as well");
    [window orderOut:nil];
  }
  printf("%d failed\n", failures);
  return failures == 0 ? 0 : 1;
}

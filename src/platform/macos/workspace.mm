#include "workspace.h"

#import <AppKit/AppKit.h>

#include <map>
#include <string>
#include <utility>

#include "c_callback.h"
#include "ns_strings.h"
#include "running_application.h"

namespace axt::macdesk {

struct AppKitWorkspace::Observations {
  NSMutableArray* tokens = [NSMutableArray array];
};

namespace {

// A value of the user information: an application, or something else known
// by its class's name.
platform::UserInfoValue userInfoValue(id value) {
  if ([value isKindOfClass:[NSRunningApplication class]]) {
    return wrapRunningApplication(static_cast<NSRunningApplication*>(value));
  }
  return platform::OtherValue{fromNSString(NSStringFromClass([value class]))};
}

platform::WorkspaceNotification fromNotification(NSNotification* note) {
  platform::WorkspaceNotification out;
  out.name = fromNSString(note.name);
  NSDictionary* info = note.userInfo;
  if (info == nil) return out;
  std::map<std::string, platform::UserInfoValue> entries;
  for (id key in info) {
    // The seam's keys are strings; the workspace's always are.
    if (![key isKindOfClass:[NSString class]]) continue;
    entries.emplace(fromNSString(static_cast<NSString*>(key)), userInfoValue([info objectForKey:key]));
  }
  out.userInfo = std::move(entries);
  return out;
}

}  // namespace

AppKitWorkspace::AppKitWorkspace() : observations_(std::make_unique<Observations>()) {}

AppKitWorkspace::~AppKitWorkspace() = default;

void AppKitWorkspace::addObserver(std::string_view name,
                                  std::function<void(const platform::WorkspaceNotification&)> block) {
  auto shared = std::make_shared<std::function<void(const platform::WorkspaceNotification&)>>(std::move(block));
  NSNotificationCenter* center = NSWorkspace.sharedWorkspace.notificationCenter;
  id token = [center addObserverForName:toNSString(name)
                                 object:nil
                                  queue:nil
                             usingBlock:^(NSNotification* note) {
                               callFromC([&shared, note] {
                                 if (*shared) (*shared)(fromNotification(note));
                               });
                             }];
  if (token != nil) [observations_->tokens addObject:token];
}

platform::RunningApplicationRef AppKitWorkspace::frontmostApplication() {
  return wrapRunningApplication(NSWorkspace.sharedWorkspace.frontmostApplication);
}

platform::Pid AppKitWorkspace::currentProcessIdentifier() {
  return NSRunningApplication.currentApplication.processIdentifier;
}

}  // namespace axt::macdesk

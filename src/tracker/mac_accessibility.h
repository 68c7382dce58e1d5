// The tracker: the one object that remembers which other application the
// user works in, which of its elements has the focus, what was selected last
// and which fields the host has blocked. Its handlers run on the main thread.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "json/json.h"
#include "platform/platform.h"

namespace axt::tracker {

// Bundle identifier → blocked-field entry ("name", optional "value").
using BlockedFieldList = std::map<std::string, json::Object, std::less<>>;
using EventData = json::Object;

// The localised name of the host application, which is never adopted.
inline constexpr std::string_view kHostApplicationName = "Quillarbor";

class MacAccessibility : public std::enable_shared_from_this<MacAccessibility> {
 public:
  using Callback = void (*)(const std::string& notification, const EventData& data);

  explicit MacAccessibility(Callback callback);
  virtual ~MacAccessibility();
  MacAccessibility(const MacAccessibility&) = delete;
  MacAccessibility& operator=(const MacAccessibility&) = delete;

  Callback callback;
  platform::RunningApplicationRef frontmostApp;
  std::optional<platform::Pid> processID;
  std::string selectedText;
  std::optional<platform::Element> focusedElement;
  // Kept for hosts that read it; the observers live in the registrations.
  std::optional<platform::Observer> observer;
  BlockedFieldList blockedFiledsList;

  // "bundle_id" and "name" of the frontmost application; empty when none.
  virtual EventData getBasicAppInfo();
  // The focused element's selection as event data.
  virtual EventData nativeTextFieldSelectedText();
  // Replaces the selection in the tracked application by pasting.
  virtual void setSelectedText(const std::string& text);
  // The fixed observer callbacks of the handlers.
  virtual platform::ObserverCallback uiFocusedChange();
  virtual platform::ObserverCallback uiPositionChange();
  virtual platform::ObserverCallback selectedTextChange();
  // The workspace's activation and launch notifications.
  virtual void appChangedEvent(const platform::WorkspaceNotification& notification);
  virtual std::optional<std::string> getTextAboveInsertionPoint(
      const platform::Element& focusedElement);
  // One press of the hot key.
  virtual void keyPressed();
  // The fixed hot-key event handler.
  virtual platform::EventHandler keyPressedGenrate();
  virtual void start();
  virtual void acctivateTheForMost();
  virtual void setBlockedFiledList(BlockedFieldList list);

  // The handler bodies behind the observer callbacks.
  void handleFocusChange(const platform::Element& element);
  void handlePositionChange(const platform::Element& element);
  void handleSelectedTextChange(const platform::Element& element);

  // Whether the element is the field the host blocked for the frontmost
  // application.
  bool isBlockedField(const platform::Element& element);
};

// Recovers the tracker from an observer's or handler's context, holding it
// for the length of the call; empty if it is being destroyed.
std::shared_ptr<MacAccessibility> trackerFromContext(void* context);

}  // namespace axt::tracker

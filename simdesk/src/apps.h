// The applications of the simulated desktop and their user-interface
// elements, as the tests and scenarios describe them.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "running_application.h"
#include "simdesk/desktop.h"

namespace simdesk::detail {

struct SimElement {
  std::string id;
  Pid pid = 0;
  std::optional<std::string> role;
  std::optional<std::string> text;  // present: a text element
  Range selection{0, 0};
  Rect frame{};
  bool editable = false;
  bool replaceable = false;  // takes a write of its selected text
  bool markers = false;
  std::map<std::string, AttrValue> attributes;
  std::map<std::string, AXError> errors;

  bool isText() const { return text.has_value(); }
};

// Puts `replacement` in place of a text element's selection and the caret
// after it, as a paste does.
void replaceSelection(SimElement& e, const std::string& replacement);

struct SimApp {
  std::shared_ptr<AppRecord> record;
  std::shared_ptr<RunningAppObject> object;
  bool accessible = true;
  // false: its main thread is busy and answers no accessibility request;
  // each one waits out the request limit and fails.
  bool answering = true;
  bool keys = true;
  std::optional<std::string> focused;
  std::map<std::string, AttrValue> attributes;
  bool enhancedUserInterface = false;

  bool running() const { return record->running; }
};

class AppRegistry {
 public:
  // Registers the application as running. An application already registered
  // under that pid is replaced: its objects stop answering as running and
  // its elements are dropped. An element id used before moves to the newest
  // element that has it.
  void add(const AppSpec& given);

  SimApp* app(Pid pid);
  const SimApp* app(Pid pid) const;
  SimElement* element(const std::string& id);
  const SimElement* element(const std::string& id) const;
  // The element of that application with that id, or null.
  SimElement* elementOf(Pid pid, const std::string& id);

  std::optional<Pid> frontmost;
  std::map<Pid, int> activations;

 private:
  std::map<Pid, SimApp> apps_;
  std::map<std::string, SimElement> elements_;
};

}  // namespace simdesk::detail

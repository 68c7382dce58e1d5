// What the backend remembers of the windows a window manager manages (the
// list it keeps on the root window, _NET_CLIENT_LIST): the process each
// window belongs to, read once in the window's life, and per process its
// toolkit's application id, read once while the process has windows. The
// X server's notifications keep it true: a change of the list, a window
// destroyed, a window's application id given or changed.
//
// Every answer and every notification carries the serial of the request
// it came from or followed (an event's serial is the last request the
// server had processed when it made the event), so that a notification is
// weighed against what was read: one made before a read is already in the
// read; one made after it outdates the read. A notification may so be
// applied twice (seen in the queue early, then dispatched) without harm.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

class ManagedWindows {
 public:
  using WindowId = unsigned long;  // an X resource id (Xlib's Window)
  using Serial = unsigned long;    // Xlib's request serial

  // --- Notifications.
  // The list changed, in an event of serial `serial`.
  void listChanged(Serial serial);
  // The window was destroyed, in an event of serial `serial`: its process
  // is forgotten unless it was read after that (the id given to a new
  // window since). It stays in the list until the list is read again.
  void windowDestroyed(WindowId window, Serial serial);

  // --- Reads.
  // True until the list has been read, and when it changed since.
  bool listStale() const;
  // The list as read by the request of serial `serial`; empty when no
  // window manager keeps one. Windows no longer listed are forgotten, with
  // the application ids of the processes left without a window.
  void listRead(const std::vector<WindowId>& list, Serial serial);
  // A window manager keeps a list (as last read).
  bool hasList() const { return !list_.empty(); }
  // The listed windows whose process is to be read, in the list's order.
  std::vector<WindowId> unread() const;
  // The process of a listed window (absent: it names none, or it was gone
  // when asked), read by the request of serial `serial`. Ignored for a
  // window not listed.
  void ownerRead(WindowId window, std::optional<platform::Pid> pid, Serial serial);

  // --- Answers.
  // The process of a listed window; absent when unknown (not listed, not
  // read yet, or destroyed), an absent process when it names none.
  std::optional<std::optional<platform::Pid>> ownerOf(WindowId window) const;
  // The listed windows of a process, in the list's order (the order the
  // window manager began managing them).
  std::vector<WindowId> windowsOf(platform::Pid pid) const;

  // A process's application id (empty: its windows carry none), read from
  // its windows starting with the request of serial `serial`; kept while
  // the process has listed windows, nothing is kept for a process without.
  void applicationIdRead(platform::Pid pid, std::string id, Serial serial);
  const std::string* applicationIdOf(platform::Pid pid) const;
  // A window's application id changed, in an event of serial `serial`: the
  // id of its process, when read before, is read again (a toolkit may give
  // it only once the window shows).
  void applicationIdChanged(WindowId window, Serial serial);

  // Everything, for a connection that is gone.
  void forgetAll();

 private:
  struct Owner {
    std::optional<platform::Pid> pid;
    Serial readAt = 0;
  };

  void forgetIdsWithoutWindows();

  std::vector<WindowId> list_;
  bool read_ = false;
  Serial listReadAt_ = 0;
  // The latest change heard; outdates a list read at or before it.
  std::optional<Serial> changedAt_;
  std::map<WindowId, Owner> owners_;
  struct ApplicationId {
    std::string id;
    Serial readAt = 0;
  };
  std::map<platform::Pid, ApplicationId> applicationIds_;
};

}  // namespace axt::lindesk

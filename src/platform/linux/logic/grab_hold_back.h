// The library's own hot key takes the keyboard while it is held: the X
// server tells the focused window that it lost the focus to a grab, and
// gives it back when the key is released. Toolkits report both as focus
// changes, some with a detour through a container that holds the focus for
// a moment. None of it is the user moving the focus. From the press until a
// moment after the release, focus claims are held back; when the hold-back
// ends, only the element holding the focus then counts, and the tracker's
// focused element moves only if that is another one. Caret and selection
// reports heard meanwhile are the toolkit's account of the focus coming
// back, and are dropped.
//
// Times are seconds on any clock that doesn't go back.
#pragma once

#include <optional>

namespace axt::lindesk {

class GrabHoldBack {
 public:
  // How long after the release the toolkit's reports of the return may
  // still be on their way; and how long a grab whose release was never
  // seen (the connection missed it) holds the focus claims back.
  static constexpr double kAfterRelease = 0.4;
  static constexpr double kLongestGrab = 3.0;

  void pressed(double now);
  void released(double now);
  // Whether focus claims heard at `now` are held back.
  bool holds(double now) const;
  // When the hold-back in force at `now` ends; absent when none holds.
  std::optional<double> endsAt(double now) const;

 private:
  std::optional<double> pressedAt_;
  std::optional<double> releasedAt_;
};

}  // namespace axt::lindesk

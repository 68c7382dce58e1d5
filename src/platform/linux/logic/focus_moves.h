// Tells a move of the keyboard focus from its return, application by
// application. When a window becomes active again, or a grab of the
// keyboard ends, the toolkit gives the focus back to the element that had
// it and reports that as the element gaining the focus: the focus hasn't
// moved for the user, and no notification goes out.
//
// A claim can also be handled late, behind slow requests or a host whose
// thread was busy, after the element that made it has lost the focus
// again (a menu opened and closed, a button passed through). Such a claim
// is no longer announced, but the focus did leave the element recorded
// before: its claim heard soon after is the focus coming back, a move for
// the user. Only soon after: toolkits also send a late claim for an
// element that is going away (a closing bar's), while the focus stays
// where it was, and the recorded element's claims much later (its window
// active again, a grab over) are the toolkit's returns, not the user's.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "logic/handles.h"

namespace axt::lindesk {

class FocusMoves {
 public:
  // How soon after a claim taken back the recorded element's claim is its
  // return, in seconds between the times both were heard.
  static constexpr double kReturnWithin = 2.0;

  // `element` holds the focus in the application at `applicationBus`, as a
  // claim heard at `heardAt` says; true when that is a move: another
  // element than the one recorded, or the recorded one coming back.
  bool gained(const std::string& applicationBus, const ObjectKey& element, double heardAt);
  // `element` claimed the focus in the application (heard at `heardAt`)
  // and had lost it before the claim was handled.
  void claimTakenBack(const std::string& applicationBus, const ObjectKey& element, double heardAt);
  void forgetAll() { records_.clear(); }

 private:
  struct Record {
    ObjectKey holder;
    // When a claim of another element, taken back, was last heard.
    std::optional<double> leftAt;
  };
  std::map<std::string, Record> records_;  // by bus name
};

}  // namespace axt::lindesk

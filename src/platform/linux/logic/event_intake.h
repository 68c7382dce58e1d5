// What becomes of each event heard on the accessibility bus: delivered,
// held, merged with one already waiting, or dropped.
//
// Listeners only queue what they hear, and the queue is worked off a
// moment later from the main loop (AT-SPI hands events over while the
// library waits for answers, and no observer may run inside a request).
// That moment gathers what an application sends for one action (a caret
// move and a selection change; a focus event twice) into one notification:
// an event of a kind already waiting for the same object is not queued
// again. Application arrivals are never merged.
//
// When an event is handled, it is asked whether it still stands
// (event_kinds.h): what the application took back meanwhile never happened
// for the user. Then:
// - a window's activation is told to the workspace; a switch of
//   application starts the activation's settling (activation_settling.h);
// - a focus claim heard during the hot key's grab is held back until the
//   grab is over (grab_hold_back.h), the latest claim for an object replacing
//   an earlier one; a claim heard after it drops those still held. Once
//   the grab is over, the latest held claim that still stands is where the
//   focus is;
// - a focus claim for the element that already had the focus, or one that
//   belongs to an activation's settling, moves the focus silently;
// - a focus claim taken back before it was handled (the host busy while a
//   menu opened and closed) is not told, but the focus left the element
//   recorded before, and its return is a move; a grab's or an
//   activation's claims, which come and go around the element that keeps
//   the focus, are not counted so;
// - caret and selection reports heard during a grab or an activation's
//   settling are the toolkit's account of the focus coming back, and are
//   dropped.
// The grab and the settling are judged by when each report was heard, not
// when it is handled: reports may wait behind slow requests (an
// activation's walk over the windows), and are still the grab's or the
// activation's; nor does an activation handled late stretch its settling
// over the user's first keys in the window.
//
// Written over any event and object, so that the order over time can be
// checked without a bus. An Event has `kind` (HeardKind) and `heardAt`
// (seconds on a clock that doesn't go back). The probe answers for the
// event's object:
//   probe.identity(e)        the object's identity (no request), comparable;
//   probe.stands(e)          whether the event still holds (asks its states);
//   probe.busOf(e)           the object's own connection (no request);
//   probe.applicationOf(e)   the application whose window holds it;
//   probe.switched(e)        tells the workspace of a window's activation;
//                            true when that switched applications;
//   probe.focusMoved(app, e) records the object as `app`'s focus; true when
//                            that is a move (focus_moves.h);
//   probe.claimTakenBack(app, e) the object claimed `app`'s focus and lost it
//                            before the claim was handled.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "logic/activation_settling.h"
#include "logic/event_kinds.h"
#include "logic/grab_hold_back.h"

namespace axt::lindesk {

enum class IntakeOutcome {
  kDeliver,    // goes to the observers (an arrival: to the workspace)
  kObsolete,   // no longer holds
  kHeld,       // a focus claim waiting for the grab's end
  kGrabReport, // a caret report of the grab's
  kUnchanged,  // the focus is where it was
  kSettled,    // belongs to an activation
  kRecorded,   // an activation, told to the workspace, never delivered
};

struct IntakeVerdict {
  IntakeOutcome outcome = IntakeOutcome::kDeliver;
  // When the held claims are to be looked at (afterGrab), counted from the
  // handling: set for the first claim held back.
  std::optional<double> afterGrabIn;
};

template <class Event>
struct AfterGrab {
  std::optional<double> againIn;  // the key was pressed again: look later
  std::optional<Event> deliver;   // the claim where the focus went
};

template <class Event, class Probe>
class EventIntake {
 public:
  // The moment that gathers one action's events; the host's delivery waits
  // far longer anyway.
  static constexpr double kGatherSeconds = 0.01;

  EventIntake(Probe& probe, const GrabHoldBack& grab) : probe_(probe), grab_(grab) {}

  // An event heard. True when a drain is to be scheduled kGatherSeconds on.
  // `stamp(e)` is called for an event that is queued, not for one merged
  // into another already waiting.
  template <class Stamp>
  bool hear(Event e, Stamp&& stamp) {
    if (alreadyQueued(e)) return false;
    stamp(e);
    queue_.push_back(std::move(e));
    if (drainScheduled_) return false;
    drainScheduled_ = true;
    return true;
  }

  bool hear(Event e) {
    return hear(std::move(e), [](Event&) {});
  }

  // The events to handle now, in the order heard; those heard while they
  // are handled wait for the next turn.
  std::deque<Event> takeBatch() {
    drainScheduled_ = false;
    std::deque<Event> batch;
    batch.swap(queue_);
    return batch;
  }

  // What becomes of one event of a batch. `clock()` tells the time when
  // it is needed, after the requests the handling made.
  template <class Clock>
  IntakeVerdict handle(const Event& e, Clock&& clock) {
    switch (e.kind) {
      case HeardKind::kWindowActivated:
        if (!probe_.stands(e)) return {IntakeOutcome::kObsolete, {}};
        if (probe_.switched(e)) settling_.activated(probe_.busOf(e), e.heardAt);
        return {IntakeOutcome::kRecorded, {}};
      case HeardKind::kFocusGained: {
        if (!probe_.stands(e)) {
          if (!grab_.holds(e.heardAt)) {
            const std::string application = probe_.applicationOf(e);
            if (!settling_.settling(application, e.heardAt)) probe_.claimTakenBack(application, e);
          }
          return {IntakeOutcome::kObsolete, {}};
        }
        if (grab_.holds(e.heardAt)) return {IntakeOutcome::kHeld, holdBack(e, clock())};
        // Heard after the hold-back: the claims still held are older, and this
        // one is where the focus went.
        heldBack_.clear();
        const std::string application = probe_.applicationOf(e);
        if (!probe_.focusMoved(application, e)) return {IntakeOutcome::kUnchanged, {}};
        if (settling_.settling(application, e.heardAt)) return {IntakeOutcome::kSettled, {}};
        return {IntakeOutcome::kDeliver, {}};
      }
      case HeardKind::kSelection:
        if (!probe_.stands(e)) return {IntakeOutcome::kObsolete, {}};
        if (grab_.holds(e.heardAt)) return {IntakeOutcome::kGrabReport, {}};
        if (settling_.settling(probe_.applicationOf(e), e.heardAt)) return {IntakeOutcome::kSettled, {}};
        return {IntakeOutcome::kDeliver, {}};
      default:
        return {IntakeOutcome::kDeliver, {}};
    }
  }

  // The grab is over, or may be: of the elements that claimed the focus
  // meanwhile, the one that holds it now (the latest claim first) is where
  // the focus is. Mostly it is the element that had it before the grab,
  // and nothing moved.
  AfterGrab<Event> afterGrab(double now) {
    afterGrabScheduled_ = false;
    if (const std::optional<double> end = grab_.endsAt(now)) {
      afterGrabScheduled_ = true;
      return {*end - now, std::nullopt};
    }
    std::vector<Event> claims;
    claims.swap(heldBack_);
    for (auto it = claims.rbegin(); it != claims.rend(); ++it) {
      if (!probe_.stands(*it)) continue;
      if (probe_.focusMoved(probe_.applicationOf(*it), *it)) return {std::nullopt, std::move(*it)};
      return {};
    }
    return {};
  }

  // The bus went away: what was heard from it goes with it. A drain or a
  // look after the grab already scheduled still runs, and finds nothing.
  void reset() {
    queue_.clear();
    heldBack_.clear();
    settling_ = ActivationSettling();
  }

  std::size_t waiting() const { return queue_.size(); }
  std::size_t held() const { return heldBack_.size(); }

 private:
  bool alreadyQueued(const Event& e) {
    if (e.kind == HeardKind::kApplicationAdded) return false;
    for (const Event& q : queue_) {
      if (q.kind == e.kind && probe_.identity(q) == probe_.identity(e)) return true;
    }
    return false;
  }

  std::optional<double> holdBack(const Event& e, double now) {
    const auto key = probe_.identity(e);
    std::erase_if(heldBack_, [&](const Event& h) { return probe_.identity(h) == key; });
    heldBack_.push_back(e);
    if (afterGrabScheduled_) return std::nullopt;
    afterGrabScheduled_ = true;
    const std::optional<double> end = grab_.endsAt(now);
    return end ? *end - now : 0.0;
  }

  Probe& probe_;
  const GrabHoldBack& grab_;
  std::deque<Event> queue_;
  bool drainScheduled_ = false;
  std::vector<Event> heldBack_;
  bool afterGrabScheduled_ = false;
  ActivationSettling settling_;
};

}  // namespace axt::lindesk

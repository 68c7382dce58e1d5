// The event intake over virtual time: events heard at given moments, the
// drains and the looks after a grab run when the run loop would run them,
// and what comes out at the far end, in order.
#include "logic/event_intake.h"

#include "logic/focus_moves.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace axt::lindesk {
namespace {

constexpr double kSettle = ActivationSettling::kSettleSeconds;
constexpr double kAfterRelease = GrabHoldBack::kAfterRelease;

struct Ev {
  HeardKind kind;
  int object = 0;
  double heardAt = 0;
};

struct Loop;

// Objects by number, each in an application ("app" unless told otherwise);
// an object in `gone` no longer holds what its event said (it vanished, or
// the toolkit took the claim back). Asking whether an object still stands
// may take a while (`slow`), as a request to a busy application does.
struct FakeObjects {
  Loop* loop = nullptr;
  std::set<int> gone;
  std::map<int, std::string> app;
  std::set<int> switches;  // windows whose activation switches applications
  std::map<int, double> slow;
  std::map<std::string, int> focus;  // by application
  FocusMoves moves;

  static int identity(const Ev& e) { return e.object; }
  std::string busOf(const Ev& e) const { return applicationOf(e); }
  std::string applicationOf(const Ev& e) const {
    auto it = app.find(e.object);
    return it == app.end() ? "app" : it->second;
  }
  bool stands(const Ev& e);
  bool switched(const Ev& e) const { return switches.contains(e.object); }
  static ObjectKey keyOf(const std::string& application, int object) {
    return ObjectKey{application, std::to_string(object)};
  }
  // A case may set `focus` itself: where the moves start from.
  void seed(const std::string& application) {
    auto it = focus.find(application);
    if (it != focus.end() && recorded[application] != it->second) {
      (void)moves.gained(application, keyOf(application, it->second), 0.0);
      recorded[application] = it->second;
    }
  }
  bool focusMoved(const std::string& application, const Ev& e) {
    seed(application);
    focus[application] = recorded[application] = e.object;
    return moves.gained(application, keyOf(application, e.object), e.heardAt);
  }
  void claimTakenBack(const std::string& application, const Ev& e) {
    seed(application);
    moves.claimTakenBack(application, keyOf(application, e.object), e.heardAt);
  }
  std::map<std::string, int> recorded;  // what `moves` was told last
};

constexpr double kGather = EventIntake<Ev, FakeObjects>::kGatherSeconds;

struct Out {
  HeardKind kind;
  int object;
  friend bool operator==(const Out&, const Out&) = default;
};

// The run loop: what is due runs in the order of its time, and the clock
// only goes forward (a slow request moves it on).
struct Loop {
  double now = 0;
  std::multimap<double, std::function<void()>> due;
  FakeObjects objects;
  GrabHoldBack grab;
  EventIntake<Ev, FakeObjects> intake{objects, grab};
  std::vector<Out> delivered;
  std::vector<IntakeOutcome> outcomes;

  Loop() { objects.loop = this; }
  Loop(const Loop&) = delete;

  void at(double t, std::function<void()> f) { due.emplace(t, std::move(f)); }
  void hear(double t, HeardKind kind, int object) {
    at(t, [this, t, kind, object] {
      if (intake.hear(Ev{kind, object, t})) at(now + kGather, [this] { drain(); });
    });
  }
  void press(double t) {
    at(t, [this] { grab.pressed(now); });
  }
  void release(double t) {
    at(t, [this] { grab.released(now); });
  }
  // The hot key pressed at `t`, and a focus claim for `object` a moment
  // later, while the focus was on `before`.
  void claimInGrab(double t, int object, int before = 1) {
    objects.focus["app"] = before;
    press(t);
    hear(t + 0.05, HeardKind::kFocusGained, object);
  }
  void drain() {
    for (const Ev& e : intake.takeBatch()) {
      const IntakeVerdict v = intake.handle(e, [this] { return now; });
      outcomes.push_back(v.outcome);
      if (v.afterGrabIn) at(now + *v.afterGrabIn, [this] { afterGrab(); });
      if (v.outcome == IntakeOutcome::kDeliver) delivered.push_back({e.kind, e.object});
    }
  }
  void afterGrab() {
    AfterGrab<Ev> next = intake.afterGrab(now);
    if (next.againIn) at(now + *next.againIn, [this] { afterGrab(); });
    if (next.deliver) delivered.push_back({next.deliver->kind, next.deliver->object});
  }
  void run() {
    while (!due.empty()) {
      auto first = due.begin();
      now = std::max(now, first->first);
      std::function<void()> f = std::move(first->second);
      due.erase(first);
      f();
    }
  }
};

bool FakeObjects::stands(const Ev& e) {
  if (auto it = slow.find(e.object); it != slow.end()) loop->now += it->second;
  return !gone.contains(e.object);
}

constexpr HeardKind kFocus = HeardKind::kFocusGained;
constexpr HeardKind kCaret = HeardKind::kSelection;
constexpr HeardKind kActivated = HeardKind::kWindowActivated;

TEST(EventIntake, OneActionsReportsAreGatheredIntoOneNotification) {
  Loop l;
  // A focus reported twice, a caret move and the selection change with it.
  l.hear(1.0, kFocus, 7);
  l.hear(1.002, kFocus, 7);
  l.hear(1.003, kCaret, 7);
  l.hear(1.004, kCaret, 7);
  // Another object's report is its own; a window's two moves in one
  // moment are one.
  l.hear(1.005, kCaret, 8);
  l.hear(1.006, HeardKind::kWindowMoved, 9);
  l.hear(1.007, HeardKind::kWindowMoved, 9);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 7}, {kCaret, 7}, {kCaret, 8}, {HeardKind::kWindowMoved, 9}}));
}

TEST(EventIntake, AFocusIsNotOvertakenByTheCaretReportThatFollowsIt) {
  // Within one gathering, the caret report in the newly focused field comes
  // after the focus, and both go out in the order heard.
  Loop l;
  l.hear(2.0, kFocus, 1);
  l.hear(2.0 + kGather / 2, kCaret, 1);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 1}, {kCaret, 1}}));
}

TEST(EventIntake, WhatIsHeardAfterADrainIsANewNotification) {
  Loop l;
  l.hear(0.0, kCaret, 3);
  l.hear(kGather * 1.5, kCaret, 3);  // just after the drain
  l.hear(0.5, kCaret, 3);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>(3, Out{kCaret, 3})));
}

TEST(EventIntake, ApplicationArrivalsAreNeverMerged) {
  Loop l;
  l.hear(0.0, HeardKind::kApplicationAdded, 0);
  l.hear(0.001, HeardKind::kApplicationAdded, 0);
  l.run();
  EXPECT_EQ(l.delivered.size(), 2U);
}

TEST(EventIntake, WhatTheApplicationTookBackIsDropped) {
  // The object vanished (or dropped the state it claimed) before its event
  // was handled; an activation taken back at once is no activation either,
  // and starts no settling.
  Loop l;
  l.objects.gone = {1, 2, 5};
  l.objects.switches = {5};
  l.hear(0.0, kFocus, 1);
  l.hear(0.001, kCaret, 2);
  l.hear(0.002, kActivated, 5);
  l.hear(0.003, kCaret, 3);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kCaret, 3}}));
  EXPECT_EQ(l.outcomes, (std::vector<IntakeOutcome>{IntakeOutcome::kObsolete, IntakeOutcome::kObsolete,
                                                    IntakeOutcome::kObsolete, IntakeOutcome::kDeliver}));
  // A report merged into one for an object that then vanished goes with it.
  Loop merged;
  merged.hear(0.0, kFocus, 4);
  merged.hear(0.001, kFocus, 4);
  merged.at(0.005, [&] { merged.objects.gone.insert(4); });
  merged.run();
  EXPECT_TRUE(merged.delivered.empty());
  EXPECT_EQ(merged.outcomes.size(), 1U);
}

TEST(EventIntake, TheFocusReturningWhereItWasIsNoMove) {
  Loop l;
  l.hear(0.0, kFocus, 1);
  l.hear(0.5, kFocus, 2);
  l.hear(1.0, kFocus, 2);  // the window active again: the focus back on 2
  l.hear(1.5, kFocus, 1);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 1}, {kFocus, 2}, {kFocus, 1}}));
  EXPECT_EQ(l.outcomes[2], IntakeOutcome::kUnchanged);
}

TEST(EventIntake, AReturnAfterADetourTakenBackIsTold) {
  // The host's thread busy while a menu opened and closed: by the time the
  // claims are handled, the menu's and its button's were taken back, and
  // the text's own claim is its return, one notification.
  Loop l;
  l.hear(0.0, kFocus, 1);
  l.objects.gone = {40, 41};
  l.hear(3.0, kFocus, 40);
  l.hear(3.001, kFocus, 41);
  l.hear(3.002, kFocus, 1);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 1}, {kFocus, 1}}));
  // Not so for claims taken back within a grab's hold-back or an activation's
  // settling, which come and go around the element that keeps the focus.
  Loop grab;
  grab.objects.focus["app"] = 1;
  grab.objects.gone = {41};
  grab.press(1.0);
  grab.hear(1.05, kFocus, 41);
  grab.release(1.1);
  grab.hear(1.1 + kAfterRelease + 0.01, kFocus, 1);
  grab.run();
  EXPECT_TRUE(grab.delivered.empty());
  Loop activation;
  activation.objects.switches = {100};
  activation.objects.focus["app"] = 1;
  activation.objects.gone = {41};
  activation.hear(5.0, kActivated, 100);
  activation.hear(5.001, kFocus, 41);
  activation.hear(5.0 + kSettle + 0.01, kFocus, 1);
  activation.run();
  EXPECT_TRUE(activation.delivered.empty());
}

TEST(EventIntake, AnActivationSettlesTheReportsHeardWithinItsMoment) {
  Loop l;
  l.objects.switches = {100};
  l.objects.focus["app"] = 1;
  l.hear(5.0, kActivated, 100);
  l.hear(5.001, kFocus, 2);                 // the toolkit's detour
  l.hear(5.0 + kSettle / 2, kFocus, 3);     // where it puts the focus back
  l.hear(5.0 + kSettle / 2 + 0.02, kCaret, 3);
  l.hear(5.0 + kSettle, kCaret, 3);         // exactly at the edge: the user's
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kCaret, 3}}));
  EXPECT_EQ(l.outcomes, (std::vector<IntakeOutcome>{IntakeOutcome::kRecorded, IntakeOutcome::kSettled,
                                                    IntakeOutcome::kSettled, IntakeOutcome::kSettled,
                                                    IntakeOutcome::kDeliver}));
  // The focus moved silently: recorded as the application's.
  EXPECT_EQ(l.objects.focus["app"], 3);
}

TEST(EventIntake, SettlingCoversOnlyTheActivatedApplicationAndOnlyASwitch) {
  Loop l;
  l.objects.app = {{100, "editor"}, {1, "editor"}, {2, "other"}, {200, "editor"}, {3, "editor"}};
  l.objects.switches = {100};
  l.hear(1.0, kActivated, 100);
  l.hear(1.05, kFocus, 2);  // another application's move is its own
  // A dialog of the application in front is no switch: its focus counts.
  l.hear(2.0, kActivated, 200);
  l.hear(2.05, kFocus, 3);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 2}, {kFocus, 3}}));
}

TEST(EventIntake, SettlingIsJudgedByWhenReportsWereHeardNotHandled) {
  // The activation's handling is slow (its window walk behind a busy
  // application): its settling still runs from when it was heard, and a
  // caret report heard after that moment is the user's.
  Loop l;
  l.objects.switches = {100};
  l.objects.slow[100] = 0.5;
  l.hear(5.0, kActivated, 100);
  l.hear(5.6, kCaret, 3);  // after the slow handling, long after the activation
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kCaret, 3}}));

  // And a report heard before an activation is no part of it, even when
  // handled after it.
  FakeObjects objects;
  objects.switches = {100};
  GrabHoldBack grab;
  EventIntake<Ev, FakeObjects> intake(objects, grab);
  auto later = [] { return 5.2; };
  EXPECT_EQ(intake.handle(Ev{kActivated, 100, 5.0}, later).outcome, IntakeOutcome::kRecorded);
  EXPECT_EQ(intake.handle(Ev{kCaret, 3, 4.999}, later).outcome, IntakeOutcome::kDeliver);
  EXPECT_EQ(intake.handle(Ev{kCaret, 3, 5.0}, later).outcome, IntakeOutcome::kSettled);
}

TEST(EventIntake, FocusClaimsDuringAGrabWaitForItsEndAndTheLatestCounts) {
  Loop l;
  l.objects.focus["app"] = 1;
  l.press(10.0);
  l.hear(10.05, kFocus, 50);  // the container that holds the focus for a moment
  l.hear(10.1, kFocus, 1);
  l.hear(10.2, kCaret, 1);  // the toolkit's account of the return: dropped
  l.hear(10.3, kFocus, 50);  // 50 again: now the latest claim
  l.release(10.5);
  l.at(10.5 + kAfterRelease - 0.001, [&] { EXPECT_EQ(l.intake.held(), 2U); });
  l.run();
  // 50 holds the focus at the end: that is where it went.
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 50}}));
  EXPECT_EQ(l.intake.held(), 0U);
}

TEST(EventIntake, AfterAGrabOnlyTheClaimThatStillHoldsCounts) {
  Loop l;
  l.claimInGrab(10.0, 50);
  l.hear(10.1, kFocus, 1);
  l.release(10.2);
  // 1 lost the focus again before the end: the detour's 50 holds it.
  l.at(10.3, [&] { l.objects.gone.insert(1); });
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 50}}));

  Loop back;
  back.claimInGrab(10.0, 50);
  back.hear(10.1, kFocus, 1);
  back.release(10.2);
  back.run();
  // The element that had it before the grab has it again: nothing moved.
  EXPECT_TRUE(back.delivered.empty());
  EXPECT_EQ(back.objects.focus["app"], 1);
}

TEST(EventIntake, AGrabsQuietEndsExactlyAtItsEdge) {
  Loop l;
  l.press(1.0);
  l.release(1.1);
  const double end = 1.1 + kAfterRelease;
  l.hear(end - 0.001, kCaret, 1);  // the grab's
  l.hear(end, kCaret, 2);          // the user's
  l.hear(end, kFocus, 3);
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kCaret, 2}, {kFocus, 3}}));
}

TEST(EventIntake, AClaimHeardInTheGrabButHandledAfterItIsStillTheGrabs) {
  // Heard just before the hold-back's end, and still being asked whether it
  // stands when the hold-back is over: held back as the grab's, and looked at
  // at once, by the time after the request.
  Loop l;
  l.objects.focus["app"] = 1;
  l.objects.slow[2] = 0.05;
  l.press(1.0);
  l.release(1.1);
  const double end = 1.1 + kAfterRelease;
  l.hear(end - 0.025, kFocus, 2);  // handled from end - 0.015 to end + 0.035
  l.at(end + 0.036, [&] { EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 2}})); });
  l.run();
  EXPECT_EQ(l.outcomes, (std::vector<IntakeOutcome>{IntakeOutcome::kHeld}));
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 2}}));
}

TEST(EventIntake, APressMeanwhileKeepsTheClaimsWaiting) {
  Loop l;
  l.claimInGrab(1.0, 2);
  l.release(1.055);  // before the claim is handled: looked at the hold-back's end
  l.press(1.4);      // the hot key again before that end
  l.hear(1.6, kFocus, 3);
  l.release(1.8);
  l.at(1.8 + kAfterRelease - 0.001, [&] { EXPECT_TRUE(l.delivered.empty()); });
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 3}}));
}

TEST(EventIntake, AClaimHeardAfterTheQuietDropsTheHeldOnes) {
  Loop l;
  l.claimInGrab(1.0, 2);
  l.release(1.1);
  l.hear(1.6, kFocus, 4);  // heard after the hold-back, before the held claim's look
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 4}}));
  EXPECT_EQ(l.intake.held(), 0U);
}

TEST(EventIntake, ALostBusTakesWhatWasHeardWithIt) {
  Loop l;
  l.objects.switches = {100};
  l.hear(1.0, kActivated, 100);
  l.at(1.2, [&] { l.intake.reset(); });  // the settling goes
  l.hear(1.21, kFocus, 2);
  l.press(2.0);
  l.hear(2.05, kFocus, 3);
  l.at(2.1, [&] { l.intake.reset(); });  // the held claim goes
  l.release(2.2);
  l.hear(3.0, kCaret, 5);
  l.at(3.0 + kGather / 2, [&] { l.intake.reset(); });  // before its drain
  l.run();
  EXPECT_EQ(l.delivered, (std::vector<Out>{{kFocus, 2}}));
  EXPECT_EQ(l.intake.waiting(), 0U);
}

}  // namespace
}  // namespace axt::lindesk

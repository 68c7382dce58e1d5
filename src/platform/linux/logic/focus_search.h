// Finding the element that holds the focus in an application by walking
// its tree, for toolkits that don't offer a search of their own (Qt 5 has
// no Collection interface). Each step is a request to the application, so
// the walk goes where the focus can be and no further: the active window
// first, then the others; only into what is shown; not into containers
// that manage their descendants (lists and tables of thousands of rows,
// whose focused row the toolkit reports by its own events); and never past
// a budget of requests. Every request counts against the budget: a node's
// states, the number of a node's children, and each child fetched (the bus
// hands them over one request each, so a wide list costs one request per
// child it is read to).
//
// Written over any tree, so that the order and the limits can be checked
// without an application: `access.states(node)` gives a node's NodeStates
// (absent when it can't be read), `access.childCount(node)` how many
// children it has, `access.childAt(node, i)` one of them (absent when it
// can't be read). Each is one request.
//
// An element that says it has the focus may hold another that says so too:
// a browser engine marks its view and the page's document focused along
// with the page's field that has the focus. The focus is on the innermost
// of them: the search goes on under a focused element, as it does
// elsewhere, within the same budget.
//
// A node that gives no states at all says nothing of itself, shown or not:
// the socket a toolkit puts another process's tree into, and that tree's
// top, are such nodes. The search looks into them as into what is shown,
// and on from a focused element through them.
#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace axt::lindesk {

struct NodeStates {
  bool focused = false;
  bool active = false;
  bool shown = false;  // showing or visible: the user can see it
  bool managesDescendants = false;
  bool saysNothing = false;  // no states at all
};

struct FocusSearchLimits {
  std::size_t maxRequests = 600;  // requests of every kind, together
  std::size_t maxDepth = 40;
};

template <class Node, class Access>
class FocusSearch {
 public:
  FocusSearch(Access& access, FocusSearchLimits limits) : access_(access), limits_(limits) {}

  // The focused element under the application's windows (its children,
  // fetched within the budget too).
  std::optional<Node> runUnder(const Node& application) {
    std::vector<Node> windows;
    if (!spend()) return std::nullopt;
    const std::size_t count = access_.childCount(application);
    for (std::size_t i = 0; i < count && spend(); ++i) {
      if (std::optional<Node> w = access_.childAt(application, i)) windows.push_back(std::move(*w));
    }
    return run(windows);
  }

  // The focused element under the given windows, searched in the active
  // window first.
  std::optional<Node> run(const std::vector<Node>& windows) {
    std::vector<std::pair<Node, NodeStates>> read;
    for (const Node& w : windows) {
      if (!spend()) break;
      std::optional<NodeStates> s = access_.states(w);
      if (s) read.emplace_back(w, *s);
    }
    for (bool active : {true, false}) {
      for (const auto& [w, s] : read) {
        if (s.active != active) continue;
        if (std::optional<Node> found = below(w, s, 0)) return found;
      }
    }
    return std::nullopt;
  }

  // The innermost element under `node` that says it has the focus, or
  // `node` itself when none does (a toolkit's own search gives the first
  // focused element in the tree's order, the outermost).
  Node innermost(const Node& node) {
    if (!spend()) return node;
    const std::optional<NodeStates> s = access_.states(node);
    if (!s) return node;
    return inside(node, *s, 0).value_or(node);
  }

  // The requests the search made.
  std::size_t requests() const { return requests_; }

 private:
  // Takes one request from the budget; false when none is left.
  bool spend() {
    if (requests_ >= limits_.maxRequests) return false;
    ++requests_;
    return true;
  }

  // The focused element at or under `node`: the innermost one, when a
  // focused element holds another.
  std::optional<Node> below(const Node& node, const NodeStates& s, std::size_t depth) {
    if (s.focused) return inside(node, s, depth).value_or(node);
    if (!(s.shown || s.saysNothing)) return std::nullopt;
    return inside(node, s, depth);
  }

  // A focused element under `node` (not `node` itself), searched among its
  // children; not in what manages its descendants (whose focused one the
  // toolkit reports by its own events).
  std::optional<Node> inside(const Node& node, const NodeStates& s, std::size_t depth) {
    if (s.managesDescendants || depth >= limits_.maxDepth || !spend()) return std::nullopt;
    const std::size_t count = access_.childCount(node);
    for (std::size_t i = 0; i < count; ++i) {
      if (!spend()) return std::nullopt;
      std::optional<Node> child = access_.childAt(node, i);
      if (!child) continue;
      if (!spend()) return std::nullopt;
      std::optional<NodeStates> cs = access_.states(*child);
      if (!cs) continue;
      if (std::optional<Node> found = below(*child, *cs, depth + 1)) return found;
    }
    return std::nullopt;
  }

  Access& access_;
  FocusSearchLimits limits_;
  std::size_t requests_ = 0;
};

}  // namespace axt::lindesk

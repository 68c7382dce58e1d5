// Finding the element that holds the focus in an application by walking
// its tree, for toolkits that don't offer a search of their own (Qt 5 has
// no Collection interface). Each step is a request to the application, so
// the walk goes where the focus can be and no further: the active window
// first, then the others; only into what is shown; not into containers
// that manage their descendants (lists and tables of thousands of rows,
// whose focused row the toolkit reports by its own events); and never past
// a budget of reads.
//
// Written over any tree, so that the order and the limits can be checked
// without an application: `access.states(node)` gives a node's NodeStates
// (absent when it can't be read), `access.children(node)` its children.
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
};

struct FocusSearchLimits {
  std::size_t maxNodes = 600;  // reads of states and of lists of children
  std::size_t maxDepth = 40;
};

template <class Node, class Access>
class FocusSearch {
 public:
  FocusSearch(Access& access, FocusSearchLimits limits) : access_(access), limits_(limits) {}

  // The focused element under the application's windows, searched in the
  // active window first.
  std::optional<Node> run(const std::vector<Node>& windows) {
    std::vector<std::pair<Node, NodeStates>> read;
    for (const Node& w : windows) {
      std::optional<NodeStates> s = access_.states(w);
      ++visited_;
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

  std::size_t visited() const { return visited_; }

 private:
  std::optional<Node> below(const Node& node, const NodeStates& s, std::size_t depth) {
    if (s.focused) return node;
    if (!s.shown || s.managesDescendants || depth >= limits_.maxDepth) return std::nullopt;
    if (visited_ >= limits_.maxNodes) return std::nullopt;
    ++visited_;  // the list of children is a read too
    for (const Node& child : access_.children(node)) {
      if (visited_ >= limits_.maxNodes) return std::nullopt;
      std::optional<NodeStates> cs = access_.states(child);
      ++visited_;
      if (!cs) continue;
      if (std::optional<Node> found = below(child, *cs, depth + 1)) return found;
    }
    return std::nullopt;
  }

  Access& access_;
  FocusSearchLimits limits_;
  std::size_t visited_ = 0;
};

}  // namespace axt::lindesk

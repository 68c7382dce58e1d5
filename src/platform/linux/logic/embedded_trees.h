// Some toolkits put another process's accessible tree into one of their
// windows: a browser engine whose pages run in a web process of their own
// (sandboxed, talking to the bus through a proxy) gives the page's objects
// from that process's connection, and the topmost object of that tree names
// as its parent an object (a socket) in the window's application. Such a
// connection is no application on the desktop: its objects are what the
// user sees in the window that holds them, and what happens in them counts
// for that window's application.
//
// Which application holds the objects of a connection is found by walking
// up from one of its objects until a parent is on another connection: that
// one is the holder, or is held itself (a tree embedded into an embedded
// one), and the walk goes on from there until it reaches an application of
// the desktop. A connection that is on the desktop holds its own objects
// and costs no walk. What was found is kept for the connection's life (a
// name on the bus is never given to another connection); a walk that a
// failed request cut short is not kept, and is tried again next time.
//
// Written over any tree, so that it can be checked without an
// application: `probe.busOf(node)` gives the connection a node is on (no
// request), `probe.isApplication(bus)` whether that connection is one of
// the desktop's applications, `probe.isDesktop(bus)` whether it is the
// registry's (whose object, the desktop, is the applications' parent), and
// `probe.parentOf(node)` the node's parent, as a ParentAnswer.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace axt::lindesk {

template <class Node>
struct ParentAnswer {
  bool answered = false;       // false: the request failed
  std::optional<Node> parent;  // empty: the node is the top of everything
};

template <class Node>
class EmbeddedTrees {
 public:
  // Where a connection's objects are: the application that holds them (its
  // bus name), and, for a tree embedded in it, the tree's topmost object
  // and an object of the holder's connection above it.
  struct Placement {
    std::string holder;
    std::optional<Node> top;
    std::optional<Node> holderNode;
  };

  static constexpr std::size_t kMaxSteps = 64;

  // Where the objects of `node`'s connection are; absent when a request
  // failed before that could be told.
  template <class Probe>
  std::optional<Placement> placementOf(Probe& probe, const Node& node) {
    const std::string start = probe.busOf(node);
    if (auto it = placements_.find(start); it != placements_.end()) return it->second;
    if (probe.isApplication(start)) return remember(start, Placement{start, std::nullopt, std::nullopt});

    // The trees passed through on the way up, each by its topmost object,
    // and the object the last of them hangs from.
    std::vector<std::pair<std::string, Node>> chain;
    std::optional<Node> hangsFrom;
    std::set<std::string> visited{start};
    Node current = node;
    std::string bus = start;
    std::optional<Placement> found;
    bool reachedTop = false;  // the walk ended at the desktop or at a tree with nothing above
    for (std::size_t step = 0; step < kMaxSteps && !found && !reachedTop; ++step) {
      ParentAnswer<Node> answer = probe.parentOf(current);
      if (!answer.answered) return std::nullopt;
      if (!answer.parent) {
        reachedTop = true;
        break;
      }
      Node parent = std::move(*answer.parent);
      const std::string parentBus = probe.busOf(parent);
      if (parentBus == bus) {
        current = std::move(parent);
        continue;
      }
      // `current` is the top of its connection's tree.
      if (probe.isDesktop(parentBus)) {
        reachedTop = true;
        break;
      }
      chain.emplace_back(bus, current);
      if (auto it = placements_.find(parentBus); it != placements_.end()) {
        // Held by what holds the parent's connection: an application of
        // its own, or one more level up.
        found = Placement{it->second.holder, std::nullopt,
                          it->second.holderNode ? it->second.holderNode : std::optional<Node>(parent)};
      } else if (probe.isApplication(parentBus)) {
        remember(parentBus, Placement{parentBus, std::nullopt, std::nullopt});
        found = Placement{parentBus, std::nullopt, std::optional<Node>(parent)};
      } else if (!visited.insert(parentBus).second) {
        break;  // the trees name each other as parents: no holder to tell
      } else {
        bus = parentBus;
        hangsFrom = parent;
        current = std::move(parent);
      }
    }
    if (!found && reachedTop && !chain.empty()) {
      // The last connection reached is the one that holds the others,
      // though the desktop didn't list it.
      remember(bus, Placement{bus, std::nullopt, std::nullopt});
      found = Placement{bus, std::nullopt, hangsFrom};
    }
    if (!found) {
      // Not held by any application: the connection stands for itself.
      return remember(start, Placement{start, std::nullopt, std::nullopt});
    }
    for (auto& [tree, top] : chain) {
      if (tree == found->holder) continue;
      remember(tree, Placement{found->holder, std::optional<Node>(std::move(top)), found->holderNode});
    }
    return placements_.at(start);
  }

  // A tree met from above: a walk down `holder`'s tree reached a child on
  // another connection (`bus`), the tree's top. Kept unless its place is
  // known already.
  void noteEmbedded(const std::string& bus, const std::string& holder, Node top, Node holderNode) {
    if (bus == holder || placements_.count(bus) != 0) return;
    placements_.emplace(bus, Placement{holder, std::optional<Node>(std::move(top)),
                                       std::optional<Node>(std::move(holderNode))});
  }

  // The tops of the trees known to be embedded in `holder`'s windows.
  std::vector<Node> treesIn(const std::string& holder) const {
    std::vector<Node> tops;
    for (const auto& [bus, p] : placements_) {
      if (p.holder == holder && bus != holder && p.top) tops.push_back(*p.top);
    }
    return tops;
  }

  // Whether `holder`'s tree was looked through for embedded trees, once per
  // connection: later ones are learnt from their events.
  bool lookedThrough(const std::string& holder) const { return looked_.count(holder) != 0; }
  void noteLookedThrough(const std::string& holder) { looked_.insert(holder); }

  // The application at `bus` left the bus: its place, and those of the
  // trees it held, go.
  void applicationGone(const std::string& bus) {
    looked_.erase(bus);
    for (auto it = placements_.begin(); it != placements_.end();) {
      it = it->first == bus || it->second.holder == bus ? placements_.erase(it) : std::next(it);
    }
  }

  // The bus went away: every name on it with it.
  void forgetAll() {
    placements_.clear();
    looked_.clear();
  }

  std::size_t known() const { return placements_.size(); }

 private:
  Placement remember(const std::string& bus, Placement p) {
    placements_[bus] = p;
    return p;
  }

  std::map<std::string, Placement> placements_;
  std::set<std::string> looked_;
};

}  // namespace axt::lindesk

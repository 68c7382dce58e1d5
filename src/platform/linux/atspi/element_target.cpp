#include "atspi/element_target.h"

#include <string>
#include <string_view>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

constexpr std::string_view kRootPathSuffix = "/accessible/root";

bool isRootPath(const std::string& path) {
  return path.size() >= kRootPathSuffix.size() &&
         path.compare(path.size() - kRootPathSuffix.size(), kRootPathSuffix.size(), kRootPathSuffix) == 0;
}

}  // namespace

platform::Element wrapElement(Pid pid, AtspiAccessible* accessible, std::uint64_t bus) {
  const ObjectKey key = keyOf(accessible);
  if (isRootPath(key.path)) return ElementHandle::application(pid);
  return ElementHandle::object(pid, GRef<AtspiAccessible>::retain(accessible), bus);
}

AXError resolveTarget(AtspiSession& session, Applications& applications, const platform::Element& element,
                      Target& out) {
  if (!session.ready()) return axerr::kAPIDisabled;
  const ElementHandle* h = handleAs<ElementHandle>(element);
  if (h == nullptr) return axerr::kIllegalArgument;
  out.pid = h->pid();
  out.application = h->isApplication();
  if (h->isApplication()) {
    out.accessible = applications.applicationOf(h->pid());
    if (!out.accessible) return axerr::kCannotComplete;
    out.key = keyOf(out.accessible.get());
    if (session.unresponsive().holds(out.key.busName)) return axerr::kCannotComplete;
    return axerr::kSuccess;
  }
  // An object of a bus that went away, whatever its name on the new one.
  if (h->bus() != session.connectionNumber()) return axerr::kInvalidUIElement;
  out.accessible = GRef<AtspiAccessible>::retain(h->accessible());
  out.key = h->key();
  // Before anything is asked of an application that stopped answering.
  if (session.unresponsive().holds(out.key.busName)) return axerr::kCannotComplete;
  if (isDefunct(session, out.accessible.get())) return axerr::kInvalidUIElement;
  return axerr::kSuccess;
}

}  // namespace axt::lindesk

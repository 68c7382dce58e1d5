// The running libatspi's facts (atspi_layout.h): its version where it can
// say it, and GObject's sizes of its object types.
#include <atspi/atspi.h>
#include <dlfcn.h>

#include <memory>

#include "logic/atspi_layout.h"

namespace axt::lindesk {

namespace {

using VersionCall = void (*)(gint*, gint*, gint*);

struct LibraryClose {
  void operator()(void* handle) const { dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryClose>;

std::size_t instanceSize(GType type) {
  GTypeQuery query{};
  g_type_query(type, &query);
  return query.type == type ? query.instance_size : 0;
}

// atspi_get_version, which the headers built with may not declare: in the
// process's global scope (where the host may have loaded libatspi itself),
// else in the libatspi the backend was linked with, which a host's
// RTLD_LOCAL dlopen keeps out of that scope.
VersionCall findVersionCall() {
  if (void* symbol = dlsym(RTLD_DEFAULT, "atspi_get_version"); symbol != nullptr) {
    return reinterpret_cast<VersionCall>(symbol);
  }
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&atspi_init), &info) == 0 || info.dli_fname == nullptr) return nullptr;
  // Already loaded: this only takes another reference, given back below.
  const LibraryHandle library(dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD));
  if (!library) return nullptr;
  return reinterpret_cast<VersionCall>(dlsym(library.get(), "atspi_get_version"));
}

}  // namespace

LibatspiFacts runningLibatspi() {
  LibatspiFacts facts;
  if (const VersionCall call = findVersionCall(); call != nullptr) {
    gint major = 0;
    gint minor = 0;
    gint micro = 0;
    call(&major, &minor, &micro);
    facts.version = LibatspiVersion{major, minor};
  }
  facts.objectSize = instanceSize(atspi_object_get_type());
  facts.accessibleSize = instanceSize(atspi_accessible_get_type());
  facts.applicationSize = instanceSize(atspi_application_get_type());
  return facts;
}

}  // namespace axt::lindesk

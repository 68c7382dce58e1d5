#include "cf_object.h"

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

namespace simdesk::macos {

namespace {

// Every object ever made, zombies included, so that a use after the last
// release finds the object still there and marked.
struct Keeping {
  std::mutex mutex;
  std::deque<std::unique_ptr<Object>> objects;
  std::vector<std::string> typeNames{"(no type)"};
};

Keeping& keeping() {
  static Keeping* k = new Keeping;  // never destroyed: static destructors of
                                    // the library above may still release
  return *k;
}

}  // namespace

void misuse(const char* function, std::string_view what) {
  std::fprintf(stderr, "simulated macOS frameworks: %s: %.*s\n", function, static_cast<int>(what.size()),
               what.data());
  std::fflush(stderr);
  std::abort();
}

std::size_t Object::hash() const { return std::hash<const void*>{}(this); }

void Object::retain(const char* function) {
  if (immortal_) return;
  if (refs_.fetch_add(1) <= 0) misuse(function, "retains a released " + typeName(type_));
}

void Object::release(const char* function) {
  if (immortal_) return;
  const long before = refs_.fetch_sub(1);
  if (before <= 0) misuse(function, "releases a released " + typeName(type_) + " (a release too many)");
  if (before == 1) dropContents();
}

CFTypeID typeNamed(std::string_view name) {
  Keeping& k = keeping();
  const std::lock_guard lock(k.mutex);
  for (std::size_t i = 1; i < k.typeNames.size(); ++i) {
    if (k.typeNames[i] == name) return i;
  }
  k.typeNames.emplace_back(name);
  return k.typeNames.size() - 1;
}

std::string typeName(CFTypeID type) {
  Keeping& k = keeping();
  const std::lock_guard lock(k.mutex);
  return type < k.typeNames.size() ? k.typeNames[type] : std::string("(unknown type)");
}

Object* keepObject(std::unique_ptr<Object> object) {
  Keeping& k = keeping();
  const std::lock_guard lock(k.mutex);
  k.objects.push_back(std::move(object));
  return k.objects.back().get();
}

std::size_t liveObjects() {
  Keeping& k = keeping();
  const std::lock_guard lock(k.mutex);
  std::size_t n = 0;
  for (const auto& o : k.objects) n += !o->immortal() && o->references() > 0 ? 1 : 0;
  return n;
}

const Object& objectOf(CFTypeRef ref, const char* function, CFTypeID type) {
  if (ref == nullptr) misuse(function, "is handed NULL");
  const auto* object = static_cast<const Object*>(ref);
  if (!object->alive()) misuse(function, "is handed a released " + typeName(object->type()));
  if (type != 0 && object->type() != type) {
    misuse(function, "is handed a " + typeName(object->type()) + " where a " + typeName(type) + " belongs");
  }
  return *object;
}

}  // namespace simdesk::macos

using simdesk::macos::Object;
using simdesk::macos::objectOf;

extern "C" {

const CFAllocatorRef kCFAllocatorDefault = nullptr;

CFTypeRef CFRetain(CFTypeRef ref) {
  const_cast<Object&>(objectOf(ref, "CFRetain")).retain("CFRetain");
  return ref;
}

void CFRelease(CFTypeRef ref) { const_cast<Object&>(objectOf(ref, "CFRelease")).release("CFRelease"); }

CFTypeID CFGetTypeID(CFTypeRef ref) { return objectOf(ref, "CFGetTypeID").type(); }

Boolean CFEqual(CFTypeRef first, CFTypeRef second) {
  const Object& a = objectOf(first, "CFEqual");
  const Object& b = objectOf(second, "CFEqual");
  if (&a == &b) return true;
  return a.type() == b.type() && a.equals(b);
}

CFHashCode CFHash(CFTypeRef ref) { return objectOf(ref, "CFHash").hash(); }

}  // extern "C"

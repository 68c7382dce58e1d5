// The object model of the simulated macOS frameworks. Every reference the
// frameworks hand out (strings, numbers, arrays, dictionaries, elements,
// values, text markers, observers, run-loop sources, event sources and
// events) is an Object with a type, a reference count and the framework's
// own equality and hash.
//
// A simulated object is never freed. When its last reference goes it
// becomes a zombie: it drops what it holds, and any later use of it (a
// release too many, a read of a released string, a callback into a released
// observer) stops the process with a message that names the function and
// the type. That is what a real framework does only sometimes (a crash
// somewhere else, much later); here it happens at once and always, so that
// the code above the frameworks can be checked for the create/copy rule.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace simdesk::macos {

class Object {
 public:
  explicit Object(CFTypeID type) : type_(type) {}
  virtual ~Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  CFTypeID type() const { return type_; }
  bool alive() const { return immortal_ || refs_.load() > 0; }
  long references() const { return refs_.load(); }

  // The framework's CFEqual and CFHash; by default an object is only equal
  // to itself. `other` has the same type.
  virtual bool equals(const Object& other) const { return &other == this; }
  virtual std::size_t hash() const;

  void retain(const char* function);
  void release(const char* function);

  // Constants (the Booleans, the run loop, constant strings) can't die.
  void makeImmortal() { immortal_ = true; }
  bool immortal() const { return immortal_; }

 protected:
  // What a zombie lets go of: the references it holds to other objects and
  // to the simulated desktop.
  virtual void dropContents() {}

 private:
  const CFTypeID type_;
  std::atomic<long> refs_{1};
  bool immortal_ = false;
};

// Stops the process: the code above the frameworks misused one of them.
[[noreturn]] void misuse(const char* function, std::string_view what);

// The type of the given name, registered on first use; CFCopyTypeIDDescription
// gives the name back.
CFTypeID typeNamed(std::string_view name);
std::string typeName(CFTypeID type);

// Takes a new object into the frameworks' keeping and hands out its first
// reference, which the caller owns.
template <class T>
T* keep(std::unique_ptr<T> object);
Object* keepObject(std::unique_ptr<Object> object);

template <class T>
T* keep(std::unique_ptr<T> object) {
  T* raw = object.get();
  keepObject(std::move(object));
  return raw;
}

// Objects not yet released by all their owners, constants excepted.
std::size_t liveObjects();

// The object behind a reference the code above handed in: stops the process
// for null, a zombie, or an object of another type (a type of 0 takes any).
const Object& objectOf(CFTypeRef ref, const char* function, CFTypeID type = 0);

template <class T>
const T& as(CFTypeRef ref, const char* function) {
  return static_cast<const T&>(objectOf(ref, function, T::typeId()));
}

template <class Ref>
Ref refOf(const Object* object) {
  return reinterpret_cast<Ref>(const_cast<Object*>(object));
}

}  // namespace simdesk::macos

// How the observers' registrations are kept and let go of: an event reaches
// the registrations of its element and its application, in the order they
// were made; a registration on an object that is gone lets go of the
// object's proxy and is never looked at again, while the application's own
// registrations stay. Proxies are libatspi objects made without a bus, so
// that their release can be watched.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "logic/handles.h"
#include "logic/observers.h"
#include "logic/registration_index.h"

namespace axt::lindesk {
namespace {

constexpr Pid kPid = 40;
constexpr std::uint64_t kBus = 1;

// What the callbacks were called with, in order.
struct Heard {
  std::string name;
  void* context;
  ObjectKey key;
};
std::vector<Heard>& heard() {
  static std::vector<Heard> calls;
  return calls;
}
void record(const platform::Observer&, const platform::Element& element, const std::string& name, void* context) {
  const auto* h = handleAs<ElementHandle>(element);
  heard().push_back(Heard{name, context, h != nullptr ? h->key() : ObjectKey{}});
}
void recordToo(const platform::Observer& o, const platform::Element& e, const std::string& n, void* c) {
  record(o, e, n, c);
}

// A proxy that says when it is finalized.
struct Proxy {
  GRef<AtspiAccessible> ref;
};
Proxy makeProxy(bool* finalized) {
  auto* object = static_cast<AtspiAccessible*>(g_object_new(ATSPI_TYPE_ACCESSIBLE, nullptr));
  g_object_weak_ref(G_OBJECT(object), [](gpointer flag, GObject*) { *static_cast<bool*>(flag) = true; }, finalized);
  return Proxy{GRef<AtspiAccessible>::adopt(object)};
}

platform::Element object(const std::string& path, GRef<AtspiAccessible> proxy, const std::string& bus = ":1.7") {
  return platform::Element(std::make_shared<ElementHandle>(kPid, std::move(proxy), ObjectKey{bus, path}, kBus));
}
GRef<AtspiAccessible> unwatchedProxy() {
  return GRef<AtspiAccessible>::adopt(static_cast<AtspiAccessible*>(g_object_new(ATSPI_TYPE_ACCESSIBLE, nullptr)));
}
platform::Element anObject(const std::string& path, const std::string& bus = ":1.7") {
  return object(path, unwatchedProxy(), bus);
}

class ObserversTest : public ::testing::Test {
 protected:
  void SetUp() override { heard().clear(); }

  std::uint64_t observe(const platform::Element& e, const std::string& name, void* context,
                        platform::ObserverCallback callback = &record) {
    const std::uint64_t id = observers.create(kPid, callback);
    EXPECT_EQ(observers.addRegistration(id, e, kPid, name, context), platform::axerr::kSuccess);
    observers.install(id);
    return id;
  }
  void event(const platform::Element& e, const std::string& name) {
    observers.deliver(kPid, e, name, observers.countHeardEvent());
  }

  Observers observers;
  int a = 0, b = 0, c = 0;
};

TEST_F(ObserversTest, AnEventReachesItsElementsAndItsApplicationsRegistrationsInOrder) {
  const platform::Element app = ElementHandle::application(kPid);
  const platform::Element field = anObject("/field");
  const platform::Element other = anObject("/other");
  observe(field, "AXSelectedTextChanged", &a);
  observe(app, "AXSelectedTextChanged", &b);
  observe(other, "AXSelectedTextChanged", &c);
  // Another proxy of the same object is the same element.
  event(anObject("/field"), "AXSelectedTextChanged");
  ASSERT_EQ(heard().size(), 2U);
  EXPECT_EQ(heard()[0].context, &a);
  EXPECT_EQ(heard()[1].context, &b);
  // The application element's own event: its registrations only.
  heard().clear();
  event(app, "AXSelectedTextChanged");
  ASSERT_EQ(heard().size(), 1U);
  EXPECT_EQ(heard()[0].context, &b);
  // Another notification: nobody. The same name and path on another bus
  // connection: another object, which only the application's hears.
  heard().clear();
  event(field, "AXFocusedUIElementChanged");
  event(platform::Element(std::make_shared<ElementHandle>(kPid, unwatchedProxy(),
                                                          ObjectKey{":1.7", "/field"}, kBus + 1)),
        "AXSelectedTextChanged");
  ASSERT_EQ(heard().size(), 1U);
  EXPECT_EQ(heard()[0].context, &b);
}

TEST_F(ObserversTest, ARegistrationHearsOnlyWhatWasHeardAfterIt) {
  const platform::Element field = anObject("/field");
  const std::uint64_t before = observers.countHeardEvent();
  observe(field, "AXSelectedTextChanged", &a);
  observers.deliver(kPid, field, "AXSelectedTextChanged", before);
  EXPECT_TRUE(heard().empty());
  // Not installed yet: nothing, and nobody listens.
  const std::uint64_t id = observers.create(kPid, &record);
  ASSERT_EQ(observers.addRegistration(id, field, kPid, "AXFocusedUIElementChanged", &b), platform::axerr::kSuccess);
  EXPECT_FALSE(observers.anyoneListens(kPid, "AXFocusedUIElementChanged"));
  EXPECT_EQ(observers.addRegistration(id, field, kPid, "AXFocusedUIElementChanged", &b),
            platform::axerr::kNotificationAlreadyRegistered);
  observers.install(id);
  observers.install(id);
  EXPECT_TRUE(observers.anyoneListens(kPid, "AXFocusedUIElementChanged"));
  event(field, "AXFocusedUIElementChanged");
  EXPECT_EQ(heard().size(), 1U);
}

TEST_F(ObserversTest, OneCallPerCallbackAndContext) {
  const platform::Element app = ElementHandle::application(kPid);
  const platform::Element field = anObject("/field");
  observe(app, "AXSelectedTextChanged", &a);
  observe(field, "AXSelectedTextChanged", &a);
  observe(field, "AXSelectedTextChanged", &a, &recordToo);
  event(field, "AXSelectedTextChanged");
  EXPECT_EQ(heard().size(), 2U);  // record once, recordToo once
}

TEST_F(ObserversTest, AGoneObjectLetsGoOfItsProxyAndIsNoLongerReached) {
  bool finalized = false;
  const platform::Element app = ElementHandle::application(kPid);
  platform::Element field = object("/field", makeProxy(&finalized).ref);
  observe(field, "AXSelectedTextChanged", &a);
  observe(app, "AXSelectedTextChanged", &b);
  const auto* handle = handleAs<ElementHandle>(field);
  ASSERT_NE(handle->accessible(), nullptr);

  observers.objectGone(ObjectKey{":1.7", "/field"}, kBus);
  // The core still holds the element; the proxy went all the same.
  EXPECT_TRUE(finalized);
  EXPECT_EQ(handle->accessible(), nullptr);
  EXPECT_FALSE(handle->isApplication());
  EXPECT_TRUE(field == anObject("/field"));
  EXPECT_EQ(observers.objectsHeld(), 0U);
  event(field, "AXSelectedTextChanged");
  ASSERT_EQ(heard().size(), 1U);
  EXPECT_EQ(heard()[0].context, &b);  // the application's registration stays
  // Gone twice, or gone without registrations: nothing more happens.
  observers.objectGone(ObjectKey{":1.7", "/field"}, kBus);
  observers.objectGone(ObjectKey{":1.7", "/never"}, kBus);
  EXPECT_TRUE(observers.anyoneListens(kPid, "AXSelectedTextChanged"));
}

TEST_F(ObserversTest, OnlyTheGoneObjectsRegistrationsAreLetGo) {
  bool firstGone = false, secondGone = false, otherAppGone = false;
  observe(object("/1", makeProxy(&firstGone).ref), "AXSelectedTextChanged", &a);
  observe(object("/2", makeProxy(&secondGone).ref), "AXSelectedTextChanged", &a);
  observe(object("/1", makeProxy(&otherAppGone).ref, ":1.9"), "AXSelectedTextChanged", &a);
  observers.objectGone(ObjectKey{":1.7", "/1"}, kBus + 1);  // another bus's object of that name
  EXPECT_FALSE(firstGone);
  observers.objectGone(ObjectKey{":1.7", "/1"}, kBus);
  EXPECT_TRUE(firstGone);
  EXPECT_FALSE(secondGone);
  EXPECT_TRUE(observers.holdsObject(ObjectKey{":1.7", "/2"}, kBus));
  // The application left the bus: all its objects, and no other's.
  observers.applicationGone(":1.7");
  EXPECT_TRUE(secondGone);
  EXPECT_FALSE(otherAppGone);
  EXPECT_TRUE(observers.anyoneListens(kPid, "AXSelectedTextChanged"));
  // The bus went away: everything of it.
  observers.connectionGone(kBus);
  EXPECT_TRUE(otherAppGone);
  EXPECT_EQ(observers.objectsHeld(), 0U);
  EXPECT_FALSE(observers.anyoneListens(kPid, "AXSelectedTextChanged"));
}

TEST_F(ObserversTest, ALongSessionOfShortLivedElementsHoldsNone) {
  const platform::Element app = ElementHandle::application(kPid);
  observe(app, "AXFocusedUIElementChanged", &a);
  std::vector<platform::Element> keptByTheCore;
  int finalized = 0;
  for (int i = 0; i < 2000; ++i) {
    auto* raw = static_cast<AtspiAccessible*>(g_object_new(ATSPI_TYPE_ACCESSIBLE, nullptr));
    g_object_weak_ref(G_OBJECT(raw), [](gpointer n, GObject*) { ++*static_cast<int*>(n); }, &finalized);
    platform::Element e = object("/row/" + std::to_string(i), GRef<AtspiAccessible>::adopt(raw));
    observe(e, "AXSelectedTextChanged", &b);
    event(e, "AXFocusedUIElementChanged");
    event(e, "AXSelectedTextChanged");
    keptByTheCore.push_back(e);
    observers.objectGone(ObjectKey{":1.7", "/row/" + std::to_string(i)}, kBus);
    EXPECT_EQ(observers.objectsHeld(), 0U);
  }
  EXPECT_EQ(finalized, 2000);
  EXPECT_EQ(heard().size(), 4000U);
  EXPECT_FALSE(observers.anyoneListens(kPid, "AXSelectedTextChanged"));
}

// The index alone: slots in registration order across its two lists.
TEST(RegistrationIndex, MergesTheApplicationsAndTheObjectsSlotsInOrder) {
  RegistrationIndex<int, std::string, std::hash<std::string>> index;
  index.addObject("x", {3, 0});
  index.addApplication(1, {2, 0});
  index.addObject("x", {1, 1});
  index.addApplication(1, {4, 0});
  const std::string x = "x";
  const std::vector<RegistrationSlot> order = index.reaching(1, &x);
  EXPECT_EQ(order, (std::vector<RegistrationSlot>{{1, 1}, {2, 0}, {3, 0}, {4, 0}}));
  EXPECT_EQ(index.reaching(1, nullptr).size(), 2U);
  EXPECT_EQ(index.reaching(2, &x).size(), 2U);
  EXPECT_EQ(index.letGo("x").size(), 2U);
  EXPECT_TRUE(index.letGo("x").empty());
  EXPECT_EQ(index.reaching(1, &x).size(), 2U);
}

}  // namespace
}  // namespace axt::lindesk

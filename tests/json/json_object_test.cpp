#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "json/json.h"

namespace axt::json {
namespace {

using Members = std::vector<std::pair<std::string, Value>>;

Members membersOf(const Object& object) { return Members(object.begin(), object.end()); }

std::vector<std::string> keysOf(const Object& object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : object) keys.push_back(key);
  return keys;
}

Object parsedObject(std::string_view text) {
  ParseResult result = parse(text);
  EXPECT_TRUE(result) << text << ": " << result.error.description();
  if (!result || !result.value->isObject()) return Object{};
  return *result.value->asObject();
}

TEST(JsonObject, IteratesInByteOrderOfKeys) {
  const std::string nul("a\0", 2);
  Object o{{"b", 1}, {"\xc3\xa9", 2}, {"B", 3}, {"a\x01", 4}, {"", 5}, {nul, 6}, {"ab", 7}, {"a", 8}};
  EXPECT_EQ(keysOf(o), (std::vector<std::string>{"", "B", "a", nul, "a\x01", "ab", "b", "\xc3\xa9"}));
  EXPECT_EQ(o.rbegin()->first, "\xc3\xa9");
  EXPECT_EQ(write(o), R"({"":5,"B":3,"a":8,"a\u0000":6,"a\u0001":4,"ab":7,"b":1,"é":2})");
}

TEST(JsonObject, InsertingARangeKeepsExistingKeys) {
  // The selection's own members win over the application's.
  Object data{{"selected_text", "abc"}, {"name", "selection's"}};
  const Object appInfo{{"name", "Editor"}, {"bundle_id", "com.example.editor"}, {"zz", true}};
  data.insert(appInfo.begin(), appInfo.end());
  EXPECT_EQ(write(data),
            R"({"bundle_id":"com.example.editor","name":"selection's","selected_text":"abc","zz":true})");

  // From a map, and with a key repeated in the range: the first counts.
  const std::vector<std::pair<std::string, Value>> repeated{{"q", 1}, {"name", 2}, {"q", 3}};
  data.insert(repeated.begin(), repeated.end());
  EXPECT_EQ(data.at("q"), Value(1));
  EXPECT_EQ(data.at("name"), Value("selection's"));
  const std::map<std::string, Value> map{{"a", 0}, {"zz", false}};
  data.insert(map.begin(), map.end());
  EXPECT_EQ(data.begin()->first, "a");
  EXPECT_EQ(data.at("zz"), Value(true));

  // Into itself: nothing is new.
  const Object before = data;
  data.insert(data.begin(), data.end());
  EXPECT_EQ(data, before);
}

// Repeated keys in objects above and below the size where the reader switches
// its way of sorting; the last value counts even when earlier ones were
// containers, and nested objects are settled on their own.
TEST(JsonObject, ReaderKeepsTheLastOfRepeatedKeysInObjectsOfAnySize) {
  for (int size : {1, 2, 15, 16, 17, 40, 300}) {
    std::map<std::string, Value> expected;
    std::string text = "{";
    for (int i = 0; i < size; ++i) {
      const std::string key = "k" + std::to_string((i * 5) % 7);
      text += "\"" + key + "\":{\"v\":[" + std::to_string(i) + "]},";
      expected[key] = Object{{"v", Array{i}}};
    }
    text += R"("k3":{"b":1,"a":2,"b":3}})";
    expected["k3"] = Object{{"a", 2}, {"b", 3}};
    EXPECT_EQ(membersOf(parsedObject(text)), Members(expected.begin(), expected.end())) << text;
  }
}

// Random objects against a map filled member by member: keys from a small
// alphabet (so that keys repeat and share prefixes), sizes on both sides of
// the reader's switch between ways of sorting.
TEST(JsonObject, ReaderAgreesWithAMapOnRandomObjects) {
  std::mt19937 random(20240607);
  const std::vector<std::string> pieces{"a", "b", "com.example.", "\xc3\xa9", "\\u0000", "Z", "0", "9"};
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
  for (int round = 0; round < 300; ++round) {
    const std::size_t members = pick(round % 3 == 0 ? 200 : 30);
    std::map<std::string, Value> expected;
    std::string text = "{";
    for (std::size_t m = 0; m < members; ++m) {
      std::string written;
      std::string key;
      for (std::size_t p = pick(5); p > 0; --p) {
        const std::string& piece = pieces[pick(pieces.size())];
        written += piece;
        key += piece == "\\u0000" ? std::string(1, '\0') : piece;
      }
      const auto value = static_cast<std::int64_t>(m);
      text += (m ? ",\"" : "\"") + written + "\":" + std::to_string(value);
      expected[key] = Value(value);
    }
    text += "}";
    const Object o = parsedObject(text);
    ASSERT_EQ(membersOf(o), Members(expected.begin(), expected.end())) << text;
  }
}

}  // namespace
}  // namespace axt::json

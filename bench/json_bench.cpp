// JSON writing and reading, against two widely used libraries when they are
// installed. Each library's own value is built once, outside the timed loop;
// each write makes its output afresh, as the library does for every event
// it hands over (a string, or RapidJSON's own buffer). Ours writes "/" as
// "\/", as hosts receive it; the others don't escape it.
#include <benchmark/benchmark.h>

#include <string>

#include "json/json.h"
#include "text/utf8.h"

#if AXTRACK_HAVE_NLOHMANN
#include <nlohmann/json.hpp>
#endif
#if AXTRACK_HAVE_RAPIDJSON
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#endif

namespace {

namespace json = axt::json;

// A selection event as the tracker hands it over.
const char kSelectedText[] = "The quick brown fox jumps over the lazy dog / caf\xc3\xa9 au lait.";
const char kBundleId[] = "com.example.editor";
const char kName[] = "Editor";

json::Value eventData() {
  return json::Object{{"selected_text", kSelectedText},
                      {"is_editable", true},
                      {"position", json::Object{{"x", 512.5}, {"y", 300.0}}},
                      {"size", json::Object{{"width", 96.0}, {"height", 16.0}}},
                      {"bundle_id", kBundleId},
                      {"name", kName}};
}

// Bundle identifiers mapped to field descriptions, as a host sends them.
std::string configuration(std::size_t minimumBytes, std::size_t minimumEntries) {
  std::string text = "{";
  for (std::size_t i = 0; text.size() < minimumBytes || i < minimumEntries; ++i) {
    if (i > 0) text += ", ";
    const std::string n = std::to_string(i);
    text += "\"com.example.app" + n + "\": {\"name\": \"AXIdentifier\", \"value\": \"field-" + n + "\"}";
  }
  text += "}";
  return text;
}

const std::string& smallConfiguration() {
  static const std::string text = configuration(0, 1000);
  return text;
}

void BM_JsonWriteEvent_Ours(benchmark::State& state) {
  const json::Value data = eventData();
  for (auto _ : state) {
    std::string text = json::write(data);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_JsonWriteEvent_Ours);

void BM_JsonParseConfig1000_Ours(benchmark::State& state) {
  const std::string& text = smallConfiguration();
  for (auto _ : state) {
    json::ParseResult result = json::parse(text);
    if (!result) state.SkipWithError(result.error.description().c_str());
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_JsonParseConfig1000_Ours);

void BM_JsonParseConfig50MB_Ours(benchmark::State& state) {
  const std::string text = configuration(50'000'000, 0);
  for (auto _ : state) {
    json::ParseResult result = json::parse(text);
    if (!result) state.SkipWithError(result.error.description().c_str());
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_JsonParseConfig50MB_Ours)->Unit(benchmark::kMillisecond);

void BM_Utf8RepairValidEvent(benchmark::State& state) {
  const std::string text = json::write(eventData());
  for (auto _ : state) {
    std::string repaired = axt::text::toValidUtf8(text);
    benchmark::DoNotOptimize(repaired.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Utf8RepairValidEvent);

#if AXTRACK_HAVE_NLOHMANN
void BM_JsonWriteEvent_Nlohmann(benchmark::State& state) {
  const nlohmann::json data = {{"selected_text", kSelectedText},
                               {"is_editable", true},
                               {"position", {{"x", 512.5}, {"y", 300.0}}},
                               {"size", {{"width", 96.0}, {"height", 16.0}}},
                               {"bundle_id", kBundleId},
                               {"name", kName}};
  for (auto _ : state) {
    std::string text = data.dump();
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_JsonWriteEvent_Nlohmann);

void BM_JsonParseConfig1000_Nlohmann(benchmark::State& state) {
  const std::string& text = smallConfiguration();
  for (auto _ : state) {
    nlohmann::json result = nlohmann::json::parse(text);
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_JsonParseConfig1000_Nlohmann);
#endif

#if AXTRACK_HAVE_RAPIDJSON
void BM_JsonWriteEvent_RapidJson(benchmark::State& state) {
  rapidjson::Document data(rapidjson::kObjectType);
  auto& a = data.GetAllocator();
  rapidjson::Value position(rapidjson::kObjectType);
  position.AddMember("x", 512.5, a).AddMember("y", 300.0, a);
  rapidjson::Value size(rapidjson::kObjectType);
  size.AddMember("width", 96.0, a).AddMember("height", 16.0, a);
  data.AddMember("selected_text", rapidjson::StringRef(kSelectedText), a)
      .AddMember("is_editable", true, a)
      .AddMember("position", position, a)
      .AddMember("size", size, a)
      .AddMember("bundle_id", rapidjson::StringRef(kBundleId), a)
      .AddMember("name", rapidjson::StringRef(kName), a);
  for (auto _ : state) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    data.Accept(writer);
    benchmark::DoNotOptimize(buffer.GetString());
  }
}
BENCHMARK(BM_JsonWriteEvent_RapidJson);

template <unsigned Flags>
void BM_JsonParseConfig1000_RapidJson(benchmark::State& state) {
  const std::string& text = smallConfiguration();
  for (auto _ : state) {
    rapidjson::Document result;
    result.Parse<Flags>(text.data(), text.size());
    if (result.HasParseError()) state.SkipWithError("parse error");
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_JsonParseConfig1000_RapidJson<rapidjson::kParseDefaultFlags>)
    ->Name("BM_JsonParseConfig1000_RapidJson");
// With the UTF-8 check that ours always makes.
BENCHMARK(BM_JsonParseConfig1000_RapidJson<rapidjson::kParseValidateEncodingFlag>)
    ->Name("BM_JsonParseConfig1000_RapidJsonValidating");
#endif

}  // namespace

#include "sway/ipc_message.h"

#include <algorithm>
#include <cstring>

namespace axt::lindesk {

namespace {

constexpr std::string_view kMagic = "i3-ipc";
constexpr std::size_t kHeaderSize = kMagic.size() + 2 * sizeof(std::uint32_t);

void appendNumber(std::string& out, std::uint32_t value) {
  char bytes[sizeof value];
  std::memcpy(bytes, &value, sizeof value);
  out.append(bytes, sizeof value);
}

std::uint32_t numberAt(const std::string& in, std::size_t at) {
  std::uint32_t value = 0;
  std::memcpy(&value, in.data() + at, sizeof value);
  return value;
}

}  // namespace

std::string ipcFrame(IpcType type, std::string_view payload) {
  std::string out(kMagic);
  appendNumber(out, static_cast<std::uint32_t>(payload.size()));
  appendNumber(out, static_cast<std::uint32_t>(type));
  out.append(payload);
  return out;
}

std::size_t IpcReader::feed(std::string_view bytes) {
  std::size_t taken = 0;
  if (state_ != State::kIncomplete) return taken;
  if (header_.size() < kHeaderSize) {
    const std::size_t wanted = std::min(kHeaderSize - header_.size(), bytes.size());
    header_.append(bytes.substr(0, wanted));
    taken += wanted;
    if (header_.size() < kHeaderSize) return taken;
    if (std::string_view(header_).substr(0, kMagic.size()) != kMagic) {
      state_ = State::kMalformed;
      return taken;
    }
    length_ = numberAt(header_, kMagic.size());
    message_.type = numberAt(header_, kMagic.size() + sizeof(std::uint32_t));
    if (length_ > kIpcPayloadLimit) {
      state_ = State::kMalformed;
      return taken;
    }
  }
  const std::size_t wanted = std::min<std::size_t>(length_ - message_.payload.size(), bytes.size() - taken);
  message_.payload.append(bytes.substr(taken, wanted));
  taken += wanted;
  if (message_.payload.size() == length_) state_ = State::kComplete;
  return taken;
}

}  // namespace axt::lindesk

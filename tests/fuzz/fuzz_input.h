// The fuzzers' reading of their input: integers come off the end of the
// bytes, strings off the front, exactly as libFuzzer's FuzzedDataProvider
// takes them, so a corpus plays the same in the libFuzzer build and in the
// replay of the ordinary build, which has no clang headers.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <type_traits>

namespace axt::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  FuzzInput(const FuzzInput&) = delete;
  FuzzInput& operator=(const FuzzInput&) = delete;

  std::size_t remaining_bytes() const { return size_; }

  // As many bytes as the range needs, fewer once the input runs out.
  template <class T>
  T ConsumeIntegralInRange(T min, T max) {
    static_assert(std::is_integral_v<T> && sizeof(T) <= sizeof(std::uint64_t));
    if (min > max) std::abort();
    const std::uint64_t range = static_cast<std::uint64_t>(max) - static_cast<std::uint64_t>(min);
    std::uint64_t result = 0;
    for (std::size_t bits = 0; bits < sizeof(T) * CHAR_BIT && (range >> bits) > 0 && size_ > 0;
         bits += CHAR_BIT) {
      result = (result << CHAR_BIT) | data_[--size_];
    }
    if (range != std::numeric_limits<std::uint64_t>::max()) result %= range + 1;
    return static_cast<T>(static_cast<std::uint64_t>(min) + result);
  }

  template <class T>
  T ConsumeIntegral() {
    return ConsumeIntegralInRange(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
  }

  bool ConsumeBool() { return (ConsumeIntegral<std::uint8_t>() & 1) != 0; }

  // In [0, 1].
  template <class T>
  T ConsumeProbability() {
    static_assert(std::is_same_v<T, double>);
    return static_cast<double>(ConsumeIntegral<std::uint64_t>()) /
           static_cast<double>(std::numeric_limits<std::uint64_t>::max());
  }

  template <class T, std::size_t N>
  T PickValueInArray(const T (&values)[N]) {
    return values[ConsumeIntegralInRange<std::size_t>(0, N - 1)];
  }

  // Up to maxLength bytes off the front: "\\" stands for one backslash, a
  // backslash before anything else ends the string.
  std::string ConsumeRandomLengthString(std::size_t maxLength) {
    std::string text;
    for (std::size_t i = 0; i < maxLength && size_ > 0; ++i) {
      char next = takeFront();
      if (next == '\\' && size_ > 0) {
        next = takeFront();
        if (next != '\\') break;
      }
      text += next;
    }
    return text;
  }

 private:
  char takeFront() {
    --size_;
    return static_cast<char>(*data_++);
  }

  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace axt::fuzz

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gradlog {

// Assembles gradiometer lines ('$PBAR...' CR LF) from the instrument's byte stream and
// checks their frame; it does no decoding. A line with a NUL byte in it is dropped whole.
class GradLineFramer {
 public:
  static constexpr std::size_t BUFFER_SIZE = 181;

  // `minimumLength` counts from the '$' up to and including the CR.
  explicit GradLineFramer(std::int32_t minimumLength) : minimumLength_(minimumLength) {}

  // Takes one byte that arrived at `tick`. Returns the line, without its CR LF, when the
  // byte completed an accepted line; the view is valid until the next call.
  std::optional<std::string_view> Feed(char byte, std::uint32_t tick);
  // Drops the line being assembled; the next line starts at the next '$'. For a reader whose
  // bytes stopped being contiguous (it was suspended and the UI thread read the port).
  void Reset();
  // When the '$' of the line last returned arrived.
  std::uint32_t LineStartTick() const { return startTick_; }

 private:
  std::optional<std::string_view> EndLine();
  bool HasTag() const;

  std::int32_t minimumLength_;
  std::array<char, BUFFER_SIZE> buffer_{};
  std::size_t count_ = 0;
  bool inLine_ = false;
  std::uint32_t startTick_ = 0;
};

}  // namespace gradlog

// Bounds-checked reads of little- and big-endian integers from a byte span. Every read of a
// file header goes through these, so an offset past the end is a failed read, not a stray one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace rt::picture {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes, bool bigEndian = false)
      : bytes_(bytes), bigEndian_(bigEndian) {}

  std::size_t size() const { return bytes_.size(); }
  std::span<const std::uint8_t> bytes() const { return bytes_; }
  void SetBigEndian(bool bigEndian) { bigEndian_ = bigEndian; }

  // True when [offset, offset + length) lies inside the bytes.
  bool Holds(std::uint64_t offset, std::uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }

  std::optional<std::uint8_t> U8(std::uint64_t offset) const {
    if (!Holds(offset, 1)) {
      return std::nullopt;
    }
    return bytes_[static_cast<std::size_t>(offset)];
  }
  std::optional<std::uint16_t> U16(std::uint64_t offset) const {
    const auto value = Read(offset, 2);
    return value ? std::optional<std::uint16_t>(static_cast<std::uint16_t>(*value)) : std::nullopt;
  }
  std::optional<std::uint32_t> U32(std::uint64_t offset) const {
    const auto value = Read(offset, 4);
    return value ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(*value)) : std::nullopt;
  }
  std::optional<std::uint64_t> U64(std::uint64_t offset) const { return Read(offset, 8); }
  std::optional<std::int32_t> I32(std::uint64_t offset) const {
    const auto value = U32(offset);
    return value ? std::optional<std::int32_t>(static_cast<std::int32_t>(*value)) : std::nullopt;
  }

 private:
  std::optional<std::uint64_t> Read(std::uint64_t offset, std::size_t length) const {
    if (!Holds(offset, length)) {
      return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto* at = bytes_.data() + offset;
    for (std::size_t i = 0; i < length; ++i) {
      const std::uint64_t byte = bigEndian_ ? at[i] : at[length - 1 - i];
      value = (value << 8) | byte;
    }
    return value;
  }

  std::span<const std::uint8_t> bytes_;
  bool bigEndian_;
};

}  // namespace rt::picture

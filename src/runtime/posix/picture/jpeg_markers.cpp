#include "runtime/posix/picture/jpeg_markers.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "runtime/posix/picture/byte_reader.h"

namespace rt::picture {
namespace {

constexpr std::uint8_t kSoi = 0xd8;
constexpr std::uint8_t kSos = 0xda;
constexpr std::uint8_t kEoi = 0xd9;
constexpr std::uint8_t kApp0 = 0xe0;
constexpr std::uint8_t kApp1 = 0xe1;
constexpr std::uint8_t kApp2 = 0xe2;
constexpr std::uint8_t kApp14 = 0xee;

constexpr std::array<std::uint8_t, 6> kExifId{'E', 'x', 'i', 'f', 0, 0};
constexpr std::array<std::uint8_t, 12> kIccId{'I', 'C', 'C', '_', 'P', 'R',
                                              'O', 'F', 'I', 'L', 'E', 0};
constexpr std::array<std::uint8_t, 5> kAdobeId{'A', 'd', 'o', 'b', 'e'};
// Marker length field (2) + identifier (12) + sequence number (1) + count (1).
constexpr std::size_t kIccOverhead = 2 + kIccId.size() + 2;
constexpr std::size_t kMaxIccChunk = 0xffff - kIccOverhead;

template <std::size_t N>
bool StartsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& id) {
  return bytes.size() >= N && std::equal(id.begin(), id.end(), bytes.begin());
}

// Joins APP2 chunks in sequence order; any gap, duplicate or disagreement drops the profile.
std::vector<std::uint8_t> JoinIccChunks(const std::vector<std::span<const std::uint8_t>>& chunks) {
  if (chunks.empty()) {
    return {};
  }
  const std::size_t count = chunks.front()[1];
  if (count == 0 || chunks.size() != count) {
    return {};
  }
  std::vector<std::span<const std::uint8_t>> ordered(count);
  for (const auto& chunk : chunks) {
    const std::size_t sequence = chunk[0];
    if (chunk[1] != count || sequence == 0 || sequence > count || !ordered[sequence - 1].empty()) {
      return {};
    }
    ordered[sequence - 1] = chunk.subspan(2);
    if (ordered[sequence - 1].empty()) {
      return {};
    }
  }
  std::vector<std::uint8_t> profile;
  for (const auto& part : ordered) {
    profile.insert(profile.end(), part.begin(), part.end());
  }
  return profile;
}

}  // namespace

bool ReadJpegMarkers(std::span<const std::uint8_t> file, JpegMarkers& markers) {
  const ByteReader reader(file, true);
  std::vector<std::span<const std::uint8_t>> iccChunks;
  std::size_t position = 2;  // after SOI
  for (;;) {
    // Markers may be preceded by any number of 0xff fill bytes.
    while (reader.U8(position) == 0xff && reader.U8(position + 1) == 0xff) {
      ++position;
    }
    const auto prefix = reader.U8(position);
    const auto marker = reader.U8(position + 1);
    if (!prefix || !marker || *prefix != 0xff || *marker == kSoi || *marker == kEoi) {
      return false;
    }
    const auto length = reader.U16(position + 2);
    if (!length || *length < 2 || !reader.Holds(position + 2, *length)) {
      return false;
    }
    if (*marker == kSos) {
      break;
    }
    const auto payload = file.subspan(position + 4, *length - 2u);
    if (*marker == kApp1 && markers.exif.empty() && StartsWith(payload, kExifId)) {
      markers.exif = payload.subspan(kExifId.size());
    } else if (*marker == kApp2 && StartsWith(payload, kIccId) &&
               payload.size() >= kIccId.size() + 2) {
      iccChunks.push_back(payload.subspan(kIccId.size()));
    } else if (*marker == kApp14 && StartsWith(payload, kAdobeId)) {
      markers.adobe = true;
    }
    position += 2u + *length;
  }
  markers.iccProfile = JoinIccChunks(iccChunks);
  return true;
}

std::vector<std::uint8_t> WithColourProfile(std::span<const std::uint8_t> jpeg,
                                            std::span<const std::uint8_t> profile) {
  const std::size_t chunkCount = (profile.size() + kMaxIccChunk - 1) / kMaxIccChunk;
  if (chunkCount > 255 || jpeg.size() < 4) {
    return {};
  }
  // Keep SOI, and APP0 (JFIF) when it comes first, ahead of the profile.
  std::size_t insertAt = 2;
  if (jpeg[2] == 0xff && jpeg[3] == kApp0 && jpeg.size() >= 6) {
    insertAt = std::min(jpeg.size(), 4u + ((std::size_t{jpeg[4]} << 8) | jpeg[5]));
  }
  std::vector<std::uint8_t> out;
  out.reserve(jpeg.size() + profile.size() + chunkCount * (kIccOverhead + 2));
  out.insert(out.end(), jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(insertAt));
  for (std::size_t i = 0; i < chunkCount; ++i) {
    const auto part = profile.subspan(i * kMaxIccChunk,
                                      std::min(kMaxIccChunk, profile.size() - i * kMaxIccChunk));
    const std::size_t length = part.size() + kIccOverhead;
    out.insert(out.end(), {0xff, kApp2, static_cast<std::uint8_t>(length >> 8),
                           static_cast<std::uint8_t>(length)});
    out.insert(out.end(), kIccId.begin(), kIccId.end());
    out.push_back(static_cast<std::uint8_t>(i + 1));
    out.push_back(static_cast<std::uint8_t>(chunkCount));
    out.insert(out.end(), part.begin(), part.end());
  }
  out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(insertAt), jpeg.end());
  return out;
}

}  // namespace rt::picture

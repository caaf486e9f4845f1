#include "runtime/posix/picture/signature.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace rt::picture {
namespace {

struct Signature {
  FileFormat format;
  std::string_view bytes;  // may hold NUL bytes, hence the explicit lengths below
};

using namespace std::string_view_literals;

// Every signature the decoders accept, in one table. ICO has no magic of its own beyond a reserved
// zero and the type 1, so it comes last and its decoder validates the directory further.
constexpr std::array kSignatures{
    Signature{FileFormat::Png, "\x89PNG\r\n\x1a\n"sv},
    Signature{FileFormat::Jpeg, "\xff\xd8\xff"sv},
    Signature{FileFormat::Gif, "GIF87a"sv},
    Signature{FileFormat::Gif, "GIF89a"sv},
    Signature{FileFormat::Tiff, "II*\0"sv},
    Signature{FileFormat::Tiff, "MM\0*"sv},
    Signature{FileFormat::Tiff, "II+\0"sv},  // BigTIFF
    Signature{FileFormat::Tiff, "MM\0+"sv},
    Signature{FileFormat::Bmp, "BM"sv},
    Signature{FileFormat::Ico, "\0\0\1\0"sv},
};

}  // namespace

FileFormat DetectFormat(std::span<const std::uint8_t> file) {
  for (const auto& signature : kSignatures) {
    if (file.size() >= signature.bytes.size() &&
        std::equal(signature.bytes.begin(), signature.bytes.end(), file.begin(),
                   [](char expected, std::uint8_t actual) {
                     return static_cast<std::uint8_t>(expected) == actual;
                   })) {
      return signature.format;
    }
  }
  return FileFormat::Unknown;
}

}  // namespace rt::picture

// The conversions the benchmark times, and the ways of doing each inside this process: the
// program's own path, the codec layer alone, and the libraries called directly.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "pictures.h"
#include "runtime/bytes.h"
#include "runtime/posix/picture/picture_codec.h"

namespace bench {

enum class SourceKind { Jpeg, Png };

struct Conversion {
  std::string_view label;
  SourceKind source;
  std::int32_t formatCode;  // as the program knows the output format
  rt::picture::Encoder encoder;
  std::string_view extension;
};

inline constexpr std::array<Conversion, 6> kConversions{{
    {"JPEG->PNG", SourceKind::Jpeg, 5, rt::picture::Encoder::Png, ".png"},
    {"JPEG->JPEG", SourceKind::Jpeg, 2, rt::picture::Encoder::Jpeg, ".jpg"},
    {"JPEG->TIFF", SourceKind::Jpeg, 4, rt::picture::Encoder::Tiff, ".tif"},
    {"PNG->JPEG", SourceKind::Png, 2, rt::picture::Encoder::Jpeg, ".jpg"},
    {"JPEG->BMP", SourceKind::Jpeg, 1, rt::picture::Encoder::Bmp, ".bmp"},
    {"JPEG->GIF", SourceKind::Jpeg, 3, rt::picture::Encoder::Gif, ".gif"},
}};

const rt::Bytes& SourceBytes(const SourcePicture& picture, const Conversion& conversion);
const std::string& SourcePath(const SourcePicture& picture, const Conversion& conversion);

// One way of converting a picture in memory; false when it failed or does not apply.
using InProcessPath = bool (*)(const SourcePicture&, const Conversion&, rt::Bytes&);

// TranscodePicture: the program's path through the picture library layer.
bool ConvertThroughProgram(const SourcePicture& picture, const Conversion& conversion,
                           rt::Bytes& output);
// DecodePicture and EncodePicture: the codec layer without the library layer above it.
bool ConvertThroughCodecs(const SourcePicture& picture, const Conversion& conversion,
                          rt::Bytes& output);
// The libraries called directly with the same settings (direct_codecs.h). GIF has none: its
// colour quantiser is our own.
bool ConvertDirectly(const SourcePicture& picture, const Conversion& conversion, rt::Bytes& output);

}  // namespace bench

// Recognises a picture file's format from its first bytes.
#pragma once

#include <cstdint>
#include <span>

namespace rt::picture {

enum class FileFormat { Unknown, Bmp, Gif, Jpeg, Png, Tiff, Ico };

FileFormat DetectFormat(std::span<const std::uint8_t> file);

}  // namespace rt::picture

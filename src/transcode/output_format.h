// The one table of the formats the program writes, known everywhere by their format code.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "runtime/class_id.h"

struct OutputFormatRow {
  std::int32_t code;
  std::string_view format;
  std::string_view dropDownText;
  std::string_view extension;
  std::string_view encoderClassId;  // registry form of the picture encoder's class id
};

inline constexpr std::array<OutputFormatRow, 5> OutputFormat{{
    {1, "BMP", "bmp", ".bmp", rt::kBmpEncoderClassId},
    {2, "JPEG", "jpg", ".jpg", rt::kJpegEncoderClassId},
    {3, "GIF", "gif", ".gif", rt::kGifEncoderClassId},
    {4, "TIFF", "tiff", ".tiff", rt::kTiffEncoderClassId},
    {5, "PNG", "png", ".png", rt::kPngEncoderClassId},
}};

// The transcoder hands a row's text to CLSIDFromString; one it would refuse stops the build.
static_assert([] {
  for (const OutputFormatRow& row : OutputFormat) {
    rt::ClassId id;
    if (!rt::ParseClassId(row.encoderClassId, id)) {
      return false;
    }
  }
  return true;
}());

// The lookups leave their out-parameter untouched and return false for a code outside 1 to 5.
bool EncoderClassIdOfCode(std::int32_t code, std::string_view& classId);
bool ExtensionOfCode(std::int32_t code, std::string_view& extension);

// Drop-down position of a code: code - 1, for any code (the drop-down clamps what it shows).
std::int32_t DropDownPositionOfCode(std::int32_t code);
// Code of a drop-down position: position + 1.
std::int32_t CodeOfDropDownPosition(std::int32_t position);

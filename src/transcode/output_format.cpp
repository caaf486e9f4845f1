#include "transcode/output_format.h"

#include <limits>

namespace {

const OutputFormatRow* RowOfCode(std::int32_t code) {
  for (const OutputFormatRow& row : OutputFormat) {
    if (row.code == code) {
      return &row;
    }
  }
  return nullptr;
}

}  // namespace

bool EncoderClassIdOfCode(std::int32_t code, std::string_view& classId) {
  const OutputFormatRow* const row = RowOfCode(code);
  if (row == nullptr) {
    return false;
  }
  classId = row->encoderClassId;
  return true;
}

bool ExtensionOfCode(std::int32_t code, std::string_view& extension) {
  const OutputFormatRow* const row = RowOfCode(code);
  if (row == nullptr) {
    return false;
  }
  extension = row->extension;
  return true;
}

// A hand-edited configuration can hold any 32-bit code; the ends of the range saturate instead
// of overflowing, which keeps them outside the drop-down's positions.
std::int32_t DropDownPositionOfCode(std::int32_t code) {
  return code == std::numeric_limits<std::int32_t>::min() ? code : code - 1;
}

std::int32_t CodeOfDropDownPosition(std::int32_t position) {
  return position == std::numeric_limits<std::int32_t>::max() ? position : position + 1;
}

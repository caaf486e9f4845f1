#include "transcode/output_format.h"

#include <limits>

namespace {

// Copies one field of the row of `code` into `value`; false for a code outside the table.
bool FieldOfCode(std::int32_t code, std::string_view OutputFormatRow::*field,
                 std::string_view& value) {
  for (const OutputFormatRow& row : OutputFormat) {
    if (row.code == code) {
      value = row.*field;
      return true;
    }
  }
  return false;
}

}  // namespace

bool EncoderClassIdOfCode(std::int32_t code, std::string_view& classId) {
  return FieldOfCode(code, &OutputFormatRow::encoderClassId, classId);
}

bool ExtensionOfCode(std::int32_t code, std::string_view& extension) {
  return FieldOfCode(code, &OutputFormatRow::extension, extension);
}

// A hand-edited configuration can hold any 32-bit code; the ends of the range saturate instead
// of overflowing, which keeps them outside the drop-down's positions.
std::int32_t DropDownPositionOfCode(std::int32_t code) {
  return code == std::numeric_limits<std::int32_t>::min() ? code : code - 1;
}

std::int32_t CodeOfDropDownPosition(std::int32_t position) {
  return position == std::numeric_limits<std::int32_t>::max() ? position : position + 1;
}

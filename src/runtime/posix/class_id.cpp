#include "runtime/class_id.h"

#include <cstddef>
#include <string_view>

namespace rt {

HResult CLSIDFromString(const char16_t* text, ClassId* id) {
  if (id == nullptr) {
    return kInvalidArgument;
  }
  if (text == nullptr) {
    *id = ClassId{};
    return kOk;
  }
  // Stop one unit past the registry form's length, never reading past the terminator: a longer
  // text is refused without being measured to its end.
  std::size_t length = 0;
  while (length <= kClassIdTextLength && text[length] != u'\0') {
    ++length;
  }
  return ParseClassId(std::u16string_view(text, length), *id) ? kOk : kBadClassString;
}

}  // namespace rt

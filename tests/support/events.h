// Journal events as tests compare them: gtest prints a step as the line it describes.
#pragma once

#include <ostream>

#include "runtime/core/event.h"

namespace rt {

inline void PrintTo(const Event& step, std::ostream* out) {
  *out << '"' << Describe(step) << '"';
}

}  // namespace rt

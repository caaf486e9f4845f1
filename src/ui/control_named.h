// Control references checked against the window's description when the program is compiled.
#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/window_description.h"

// Never defined: a lookup that reaches it stops the build.
void NoSingleControlOfThatNameAndKind();

// The control called `name` in `window`, which must be of `kind`. A name the window lacks, one
// it has twice, or a control of another kind does not compile.
consteval rt::ControlRef ControlNamed(const rt::WindowDescription& window, std::string_view name,
                                      rt::ControlKind kind) {
  rt::ControlRef found;
  bool seen = false;
  for (std::size_t index = 0; index < window.controls.size(); ++index) {
    if (window.controls[index].name != name) {
      continue;
    }
    if (seen || window.controls[index].kind != kind) {
      NoSingleControlOfThatNameAndKind();
    }
    found = {&window, index};
    seen = true;
  }
  if (!seen) {
    NoSingleControlOfThatNameAndKind();
  }
  return found;
}

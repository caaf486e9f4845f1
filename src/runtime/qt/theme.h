// The themed look of the standard controls: three colour schemes, or none.
#pragma once

namespace rt::qtbackend {

// Scheme 1 blue, 2 olive green, 3 silver; 0 the platform's plain look. For every window, those
// that exist and those to come.
bool ApplyTheme(int scheme);

}  // namespace rt::qtbackend

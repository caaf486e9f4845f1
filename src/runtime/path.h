// Path texts: bytes in the system code page.
#pragma once

namespace rt {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace rt

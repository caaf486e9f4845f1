// Hands a file, folder or web address to the desktop shell. (The names of the runtime's calls
// stay clear of the Windows headers' macros, which would rename them in a Windows build.)
#pragma once

#include <cstdint>
#include <string_view>

namespace rt {

using WindowHandle = std::uintptr_t;  // 0: no window

// Asks the shell to carry out `operation` ("open", "edit", "explore", "find", "print") on
// `target`. The shell works on its own; nothing is reported back.
void AskShell(WindowHandle owner, std::string_view operation, std::string_view target,
              std::string_view parameters, std::string_view folder, int showState);

}  // namespace rt

// The shell as the person sees it in a test: what it was asked is written down, nothing starts.
#include "runtime/shell.h"

#include <string>

#include "runtime/person/performance.h"

namespace rt {

void AskShell(WindowHandle owner, std::string_view operation, std::string_view target,
              std::string_view parameters, std::string_view folder, int showState) {
  person::RecordShellCall({owner, std::string(operation), std::string(target),
                           std::string(parameters), std::string(folder), showState});
}

}  // namespace rt

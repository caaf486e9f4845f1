// The scripted shell only notes what it was asked to do.
#include "runtime/shell.h"

#include <string>

#include "runtime/scripted/state.h"

namespace rt {

void AskShell(WindowHandle owner, std::string_view operation, std::string_view target,
              std::string_view parameters, std::string_view folder, int showState) {
  person::RecordShellCall({owner, std::string(operation), std::string(target),
                           std::string(parameters), std::string(folder), showState});
}

}  // namespace rt

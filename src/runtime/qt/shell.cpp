// The desktop shell on Linux: xdg-open acts on the target, on its own, without being waited for.
#include "runtime/shell.h"

#include <QProcess>
#include <QStringList>
#include <string>

#include "runtime/qt/person_driver.h"
#include "runtime/qt/state.h"

namespace rt {

void AskShell(WindowHandle owner, std::string_view operation, std::string_view target,
              std::string_view parameters, std::string_view folder, int showState) {
  if (person::Plays()) {
    // In a test the person sees what the shell was asked; nothing is started.
    person::RecordShellCall({owner, std::string(operation), std::string(target),
                             std::string(parameters), std::string(folder), showState});
    return;
  }
  // xdg-open knows one operation: every one of them opens the target.
  QProcess::startDetached("xdg-open", {QString::fromLocal8Bit(std::string(target).c_str())},
                          QString::fromLocal8Bit(std::string(folder).c_str()));
}

}  // namespace rt

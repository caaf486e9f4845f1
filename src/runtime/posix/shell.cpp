// The desktop shell on Linux: xdg-open acts on the target on its own. A short-lived shell starts
// it in the background, so that it is never waited for and leaves no child behind.
#include "runtime/shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string>

namespace rt {

void AskShell(WindowHandle /*owner*/, std::string_view /*operation*/, std::string_view target,
              std::string_view /*parameters*/, std::string_view folder, int /*showState*/) {
  // xdg-open knows one operation: every one of them opens the target.
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) {
    return;
  }
  const std::string folderText(folder);
  if (!folderText.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, folderText.c_str());
  }
  std::string shell = "/bin/sh";
  std::string option = "-c";
  std::string command = "xdg-open \"$1\" >/dev/null 2>&1 &";
  std::string name = "picbatch-shell";
  std::string argument(target);
  std::array<char*, 6> arguments{shell.data(), option.data(),   command.data(),
                                 name.data(),  argument.data(), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, shell.c_str(), &actions, nullptr, arguments.data(), environ) == 0) {
    int status = 0;
    waitpid(child, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}

}  // namespace rt

#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>

extern char** environ;

namespace bench {
namespace {

// posix_spawn's file actions, released on every path.
class FileActions {
 public:
  FileActions() { valid_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~FileActions() {
    if (valid_) {
      posix_spawn_file_actions_destroy(&actions_);
    }
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;

  bool valid() const { return valid_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
  bool valid_ = false;
};

}  // namespace

ChildRun RunChild(const std::vector<std::string>& arguments, const std::string& errorLog) {
  ChildRun run;
  if (arguments.empty()) {
    return run;
  }
  std::vector<std::string> owned = arguments;
  std::vector<char*> argv;
  for (std::string& argument : owned) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);

  FileActions actions;
  if (!actions.valid() ||
      posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0) != 0 ||
      posix_spawn_file_actions_addopen(actions.get(), 1, "/dev/null", O_WRONLY, 0) != 0 ||
      posix_spawn_file_actions_addopen(actions.get(), 2, errorLog.c_str(),
                                       O_WRONLY | O_CREAT | O_APPEND, 0644) != 0) {
    return run;
  }
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], actions.get(), nullptr, argv.data(), environ) != 0) {
    return run;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) {
    return run;
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.maxRssMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

}  // namespace bench

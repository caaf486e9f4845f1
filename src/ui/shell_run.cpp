#include "ui/shell_run.h"

#include <array>

namespace {

constexpr std::string_view kHomePage = "http://example.com/?vod_eredu";

constexpr std::array<std::string_view, 5> kOperations{"edit", "explore", "find", "open", "print"};

}  // namespace

std::string_view ShellOperationText(std::int32_t operation) {
  if (operation >= 1 && operation <= 5) {
    return kOperations[static_cast<std::size_t>(operation - 1)];
  }
  return "open";
}

void ShellRun(const ShellRunArguments& arguments) {
  rt::AskShell(arguments.window, ShellOperationText(arguments.operation), arguments.target,
               arguments.parameters, arguments.folder, arguments.showState);
}

void OpenHomePage() {
  ShellRun({.window = 0, .operation = 0, .target = std::string(kHomePage)});
}

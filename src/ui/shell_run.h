// Hands a file, folder or web address to the shell, and the home-page command built on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/shell.h"

// Every field but the target may be left out and then takes the default shown.
struct ShellRunArguments {
  rt::WindowHandle window = 0;
  std::int32_t operation = 4;  // 1 edit, 2 explore, 3 find, 4 open, 5 print; others open
  std::string target;
  std::string parameters;
  std::string folder;
  std::int32_t showState = 1;  // shown normally
};

std::string_view ShellOperationText(std::int32_t operation);

void ShellRun(const ShellRunArguments& arguments);

// Opens the program's home page in the user's web browser.
void OpenHomePage();

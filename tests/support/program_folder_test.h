// A fresh state record and a temporary program folder, for tests of what runs without windows.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "state/app_state.h"
#include "support/temp_folder.h"

namespace testing_support {

class ProgramFolderTest : public ::testing::Test {
 protected:
  // Every test in this process starts from a fresh state record, as a new process would.
  ProgramFolderTest() { AppState = AppStateRecord{}; }

  std::string ConfigPath() const { return programFolder.File("config.ini"); }

  TempFolder programFolder;
  WorkingFolderGuard workingFolderGuard;
};

}  // namespace testing_support

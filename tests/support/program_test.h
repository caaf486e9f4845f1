// Runs the real program in a temporary program folder, with the scripted person at the screen.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/program_main.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "support/temp_folder.h"

namespace testing_support {

class ProgramTest : public ::testing::Test {
 protected:
  // Every run in this test process starts from a fresh state record, as a new process would.
  ProgramTest() { AppState = AppStateRecord{}; }

  // A setup whose program lies in this test's program folder.
  rt::person::Setup SetupInProgramFolder() const {
    rt::person::Setup setup;
    setup.executablePath = programFolder.File("picbatch");
    return setup;
  }

  int RunProgram(rt::person::Setup setup) {
    rt::person::Prepare(std::move(setup));
    const int exitCode = rt::RunProcess(ProgramMain);
    EXPECT_EQ(rt::person::ScriptProblem(), "");
    return exitCode;
  }

  std::string ConfigPath() const { return programFolder.File("config.ini"); }

  TempFolder programFolder;
  WorkingFolderGuard workingFolderGuard;
};

}  // namespace testing_support

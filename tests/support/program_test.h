// Runs the real program in a temporary program folder, with the scripted person at the screen.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "app/program_main.h"
#include "runtime/person/person.h"
#include "runtime/process.h"
#include "support/program_folder_test.h"

namespace testing_support {

class ProgramTest : public ProgramFolderTest {
 protected:
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
};

}  // namespace testing_support

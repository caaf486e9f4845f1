// The executable's entry: the runtime runs the program.
#include "app/program_main.h"
#include "runtime/process.h"

int main() {
  return rt::RunProcess(ProgramMain);
}

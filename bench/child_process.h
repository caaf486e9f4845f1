// Runs another program and measures it: wall time from start to exit, and its peak memory.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ChildRun {
  bool succeeded = false;  // started and exited with status 0
  double seconds = 0;      // wall time, process start-up included
  double maxRssMiB = 0;    // peak resident memory
};

// Runs `arguments` (the program first, found on PATH unless it holds a slash) with standard
// input and output on /dev/null and standard error appended to `errorLog`.
ChildRun RunChild(const std::vector<std::string>& arguments, const std::string& errorLog);

}  // namespace bench

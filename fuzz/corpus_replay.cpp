// Replays fuzzer inputs through the fuzzing entry without libFuzzer, so that the seed pictures
// and every saved crasher run with the tests:
//
//   fuzz_corpus_replay [--pictures FOLDER]... [FOLDER]...
//
// A folder after --pictures holds bare picture files, each replayed once for every format code;
// any other folder holds fuzzer inputs (selector byte, then the picture). Hidden files are
// skipped. A broken check aborts on the file named last.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "fuzz_input.h"
#include "runtime/files.h"

namespace {

namespace fs = std::filesystem;

struct Folder {
  fs::path path;
  bool barePictures = false;
};

// The regular files of a folder in name order, so that a failure names the same file each run.
bool ListFiles(const fs::path& folder, std::vector<fs::path>& files) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && !entry.path().filename().string().starts_with(".")) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return !error;
}

bool ParseArguments(const std::vector<std::string_view>& arguments, std::vector<Folder>& folders) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--pictures") {
      if (i + 1 == arguments.size()) {
        return false;
      }
      folders.push_back({fs::path(arguments[++i]), true});
    } else {
      folders.push_back({fs::path(arguments[i]), false});
    }
  }
  return !folders.empty();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  std::vector<Folder> folders;
  if (!ParseArguments(arguments, folders)) {
    std::fprintf(stderr, "usage: fuzz_corpus_replay [--pictures FOLDER]... [FOLDER]...\n");
    return 2;
  }
  std::size_t runs = 0;
  std::size_t fileCount = 0;
  for (const Folder& folder : folders) {
    std::vector<fs::path> files;
    if (!ListFiles(folder.path, files)) {
      std::fprintf(stderr, "cannot list %s\n", folder.path.c_str());
      return 1;
    }
    for (const fs::path& file : files) {
      const std::vector<std::uint8_t> bytes = rt::ReadWholeFile(file.string());
      std::printf("%s\n", file.c_str());
      std::fflush(stdout);
      ++fileCount;
      if (!folder.barePictures) {
        fuzz::RunFuzzInput(bytes);
        ++runs;
        continue;
      }
      std::vector<std::uint8_t> input(bytes.size() + 1);
      std::copy(bytes.begin(), bytes.end(), input.begin() + 1);
      for (const std::uint8_t selector : fuzz::kEverySelector) {
        input.front() = selector;
        fuzz::RunFuzzInput(input);
        ++runs;
      }
    }
  }
  std::printf("replayed %zu inputs from %zu files\n", runs, fileCount);
  return 0;
}

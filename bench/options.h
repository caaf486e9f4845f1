// The benchmark's command line.
#pragma once

#include <string>

namespace bench {

struct Options {
  std::string photos;         // folder of JPEG photographs; empty: synthetic pictures only
  std::string photosLabel;    // where the photographs come from, for the report
  std::size_t maxPhotos = 0;  // 0: every photograph of the folder
  std::string work;           // scratch folder for sources and outputs
  std::string big;            // a 24-megapixel JPEG for the peak-memory measurement
  int passes = 5;             // in-process passes over each set
  int peerPasses = 3;         // passes of each external tool over each set
  std::string peakChild;      // child modes of the peak-memory measurement
  std::string peakBaseline;
};

// False with a message in `error` for an unknown or incomplete option.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

inline constexpr const char* kUsage =
    "usage: picbatch_bench --work DIR [--photos DIR [--photos-label TEXT] [--max-photos N]]\n"
    "                      [--big FILE] [--passes N] [--peer-passes N]\n";

}  // namespace bench

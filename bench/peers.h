// The external tools the benchmark compares with, each run once per picture, on the same core,
// with its own threading turned off (MAGICK_THREAD_LIMIT=1, VIPS_CONCURRENCY=1,
// OMP_NUM_THREADS=1, which main sets).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversions.h"

namespace bench {

struct PeerTool {
  std::string_view name;
  // Whether the tool is compared on this conversion.
  bool (*compares)(const Conversion&);
  // The command converting `in` into `out`, at settings like ours where the tool has them.
  std::vector<std::string> (*command)(const Conversion&, const std::string& in,
                                      const std::string& out);
};

std::span<const PeerTool> PeerTools();

// How each tool is asked, one line per conversion, for the report's header.
std::string DescribePeerSettings();

}  // namespace bench

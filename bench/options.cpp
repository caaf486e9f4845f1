#include "options.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace bench {
namespace {

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
  const std::vector<std::string_view> arguments(argv + 1, argv + argc);
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view name = arguments[i];
    if (i + 1 == arguments.size()) {
      error = "missing value after " + std::string(name);
      return false;
    }
    const std::string_view value = arguments[++i];
    bool ok = true;
    if (name == "--photos") {
      options.photos = value;
    } else if (name == "--photos-label") {
      options.photosLabel = value;
    } else if (name == "--max-photos") {
      ok = ParseNumber(value, options.maxPhotos);
    } else if (name == "--work") {
      options.work = value;
    } else if (name == "--big") {
      options.big = value;
    } else if (name == "--passes") {
      ok = ParseNumber(value, options.passes) && options.passes > 0;
    } else if (name == "--peer-passes") {
      ok = ParseNumber(value, options.peerPasses) && options.peerPasses > 0;
    } else if (name == "--peak-child") {
      options.peakChild = value;
    } else if (name == "--peak-baseline") {
      options.peakBaseline = value;
    } else {
      error = "unknown option " + std::string(name);
      return false;
    }
    if (!ok) {
      error = "bad value for " + std::string(name);
      return false;
    }
  }
  if (options.work.empty() && options.peakChild.empty() && options.peakBaseline.empty()) {
    error = "--work is required";
    return false;
  }
  return true;
}

}  // namespace bench

#include "peak_memory.h"

#include <charconv>
#include <chrono>
#include <system_error>

#include "child_process.h"
#include "direct_codecs.h"
#include "pictures.h"
#include "runtime/bytes.h"
#include "transcode/transcode_picture.h"

namespace bench {
namespace {

constexpr std::int32_t kPngCode = 5;
constexpr double kMiB = 1024.0 * 1024.0;

}  // namespace

int RunPeakChild(const std::string& jpegPath, bool convert) {
  rt::Bytes input;
  if (!ReadFile(jpegPath, input)) {
    return 1;
  }
  if (!convert) {
    return input.empty() ? 1 : 0;
  }
  rt::Bytes result;
  return TranscodePicture(input, kPngCode, result) ? 0 : 1;
}

PeakMemory MeasurePeakMemory(const std::string& self, const std::string& jpegPath,
                             const std::string& reportFolder, const std::string& errorLog) {
  PeakMemory peak;
  rt::Bytes input;
  RgbPicture decoded;
  if (!ReadFile(jpegPath, input) || !DecodeJpegDirect(input, decoded)) {
    peak.note = "cannot read " + jpegPath;
    return peak;
  }
  peak.width = decoded.width;
  peak.height = decoded.height;
  peak.inputMiB = static_cast<double>(input.size()) / kMiB;
  peak.bitmapMiB = static_cast<double>(decoded.pixels.size()) / kMiB;
  decoded = RgbPicture{};

  rt::Bytes output;
  const auto start = std::chrono::steady_clock::now();
  if (!TranscodePicture(input, kPngCode, output)) {
    peak.note = "the conversion failed";
    return peak;
  }
  peak.conversionSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  peak.outputMiB = static_cast<double>(output.size()) / kMiB;

  // ru_maxrss of a child started from this large process would count this process's memory
  // too (the kernel carries the peak over an exec), so /usr/bin/time, a small process, starts
  // the child and reports its peak in KiB.
  const auto childPeakMiB = [&](const char* mode, double& mib) {
    const std::string report = reportFolder + "/peak-rss.txt";
    rt::Bytes text;
    if (!RunChild({"/usr/bin/time", "-f", "%M", "-o", report, self, mode, jpegPath}, errorLog)
             .succeeded ||
        !ReadFile(report, text)) {
      return false;
    }
    double kib = 0;
    const auto* first = reinterpret_cast<const char*>(text.data());
    const auto [end, error] = std::from_chars(first, first + text.size(), kib);
    mib = kib / 1024.0;
    return error == std::errc{} && end != first;
  };
  if (!childPeakMiB("--peak-child", peak.maxRssMiB) ||
      !childPeakMiB("--peak-baseline", peak.baselineMiB)) {
    peak.note = "the child process failed (see " + errorLog + ")";
    return peak;
  }
  peak.measured = true;
  return peak;
}

}  // namespace bench

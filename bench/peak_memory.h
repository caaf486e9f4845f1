// Peak memory of one JPEG->PNG conversion through TranscodePicture, measured in a child process
// (this program started again in a child mode), beside what the conversion must hold at least.
#pragma once

#include <cstdint>
#include <string>

namespace bench {

struct PeakMemory {
  bool measured = false;
  std::string note;
  std::uint32_t width = 0, height = 0;
  double inputMiB = 0, bitmapMiB = 0, outputMiB = 0;
  double maxRssMiB = 0;    // the child that converts
  double baselineMiB = 0;  // the same child reading the file without converting it
  double conversionSeconds = 0;

  // Input held twice (the caller's buffer and the stream's block), the decoded RGB bitmap,
  // and the output held twice (the stream's block and the result).
  double Budget() const { return 2 * inputMiB + bitmapMiB + 2 * outputMiB; }
};

// `self` is this program's path, started again in the child modes below under /usr/bin/time,
// which writes its report into `reportFolder`.
PeakMemory MeasurePeakMemory(const std::string& self, const std::string& jpegPath,
                             const std::string& reportFolder, const std::string& errorLog);

// The child modes: read the file and convert it to PNG, or only read it. Exit status 0 when
// all went well.
int RunPeakChild(const std::string& jpegPath, bool convert);

}  // namespace bench

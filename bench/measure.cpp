#include "measure.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

#include "child_process.h"
#include "quality.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kStartUpRuns = 5;

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool IsGif(const Conversion& conversion) {
  return conversion.encoder == rt::picture::Encoder::Gif;
}

void Record(Measurement& measurement, const std::vector<double>& passTimes,
            const QualityMeter& quality, bool gif) {
  measurement.ran = true;
  measurement.seconds = Median(passTimes);
  if (gif) {
    measurement.hasQuality = true;
    measurement.psnr = quality.Psnr();
    measurement.worstPsnr = quality.WorstPsnr();
  }
}

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty()) {
    return 0;
  }
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

Measurement MeasureInProcess(const std::string& path, InProcessPath convert, const PictureSet& set,
                             const Conversion& conversion, int passes) {
  Measurement measurement{.path = path};
  // Every conversion writes into a new output buffer, as a single conversion would, so that no
  // path gains from memory an earlier conversion already had the system map in.
  if (rt::Bytes output;
      set.pictures.empty() || !convert(set.pictures.front(), conversion, output)) {
    measurement.note = "n/a";  // also the warm-up run
    return measurement;
  }
  std::vector<double> passTimes;
  QualityMeter quality;
  for (int pass = 0; pass < passes; ++pass) {
    const bool last = pass + 1 == passes;
    double total = 0;
    std::uint64_t bytes = 0;
    for (const SourcePicture& picture : set.pictures) {
      rt::Bytes output;
      const auto start = std::chrono::steady_clock::now();
      const bool converted = convert(picture, conversion, output);
      total += SecondsSince(start);
      if (!converted) {
        measurement.note = "failed on " + picture.name;
        return measurement;
      }
      bytes += output.size();
      if (last && IsGif(conversion) && !quality.Add(picture, output)) {
        measurement.note = "unreadable output for " + picture.name;
        return measurement;
      }
    }
    passTimes.push_back(total);
    measurement.outputBytes = bytes;
  }
  Record(measurement, passTimes, quality, IsGif(conversion));
  return measurement;
}

Measurement MeasurePeer(const PeerTool& tool, const PictureSet& set, const Conversion& conversion,
                        int passes, const std::string& outputFolder, const std::string& errorLog) {
  Measurement measurement{.path = std::string(tool.name)};
  const auto outputOf = [&](const SourcePicture& picture) {
    return outputFolder + "/" + picture.name + std::string(conversion.extension);
  };
  const auto run = [&](const SourcePicture& picture) {
    return RunChild(tool.command(conversion, SourcePath(picture, conversion), outputOf(picture)),
                    errorLog);
  };
  if (set.pictures.empty() || !run(set.pictures.front()).succeeded) {
    measurement.note = "failed (see " + errorLog + ")";  // also the warm-up run
    return measurement;
  }
  std::vector<double> passTimes;
  for (int pass = 0; pass < passes; ++pass) {
    double total = 0;
    for (const SourcePicture& picture : set.pictures) {
      const ChildRun child = run(picture);
      if (!child.succeeded) {
        measurement.note = "failed on " + picture.name + " (see " + errorLog + ")";
        return measurement;
      }
      total += child.seconds;
    }
    passTimes.push_back(total);
  }
  QualityMeter quality;
  for (const SourcePicture& picture : set.pictures) {
    std::error_code error;
    measurement.outputBytes += fs::file_size(outputOf(picture), error);
    rt::Bytes converted;
    if (IsGif(conversion) &&
        (!ReadFile(outputOf(picture), converted) || !quality.Add(picture, converted))) {
      measurement.note = "unreadable output for " + picture.name;
      return measurement;
    }
  }
  Record(measurement, passTimes, quality, IsGif(conversion));
  return measurement;
}

double MeasureStartUp(const PeerTool& tool, const Conversion& conversion,
                      const std::string& tinyPicture, const std::string& outputFolder,
                      const std::string& errorLog) {
  const std::string out = outputFolder + "/tiny" + std::string(conversion.extension);
  std::vector<double> times;
  for (int i = 0; i < kStartUpRuns; ++i) {
    const ChildRun child = RunChild(tool.command(conversion, tinyPicture, out), errorLog);
    if (!child.succeeded) {
      return 0;
    }
    times.push_back(child.seconds);
  }
  return Median(times);
}

}  // namespace bench

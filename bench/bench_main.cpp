// picbatch_bench: times the program's in-memory conversions against the codec libraries called
// directly and against ImageMagick, libvips and GraphicsMagick, and prints one table. bench/run
// installs the tools and the photographs, builds this (preset linux-bench) and runs it on one
// core. It is a measurement, not a test: it never fails on a target it misses.
#include <sched.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "conversions.h"
#include "direct_codecs.h"
#include "measure.h"
#include "options.h"
#include "peak_memory.h"
#include "peers.h"
#include "pictures.h"
#include "report.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

std::string AllowedCpus() {
  cpu_set_t cpus;
  CPU_ZERO(&cpus);
  if (sched_getaffinity(0, sizeof cpus, &cpus) != 0) {
    return "unknown";
  }
  std::string list;
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
    if (CPU_ISSET(cpu, &cpus)) {
      if (!list.empty()) {
        list += ',';
      }
      list += std::to_string(cpu);
    }
  }
  return list;
}

constexpr const char* kLimitPath = "libraries (limit)";

void Progress(const std::string& text) {
  std::fprintf(stderr, "  %s\n", text.c_str());
}

ResultRow MeasureRow(const PictureSet& set, const Conversion& conversion, const Options& options,
                     const std::string& outputRoot, const std::string& errorLog) {
  const bool gif = conversion.encoder == rt::picture::Encoder::Gif;
  std::vector<std::unique_ptr<Contender>> contenders;
  contenders.push_back(
      InProcessContender("picbatch", ConvertThroughProgram, conversion, options.passes));
  contenders.push_back(
      InProcessContender("codec layer only", ConvertThroughCodecs, conversion, options.passes));
  if (!gif) {
    contenders.push_back(
        InProcessContender(kLimitPath, ConvertDirectly, conversion, options.passes));
  }
  for (const PeerTool& tool : PeerTools()) {
    if (!tool.compares(conversion)) {
      continue;
    }
    std::string toolFolder(tool.name);
    std::replace_if(
        toolFolder.begin(), toolFolder.end(), [](char c) { return c == ' ' || c == '='; }, '-');
    const std::string folder = outputRoot + "/" + toolFolder + "/" + set.name;
    fs::create_directories(folder);
    contenders.push_back(PeerContender(tool, conversion, options.peerPasses, folder, errorLog));
  }
  Progress(set.name + " " + std::string(conversion.label));
  ResultRow row{&set, &conversion, MeasureContenders(contenders, set, conversion)};
  if (gif) {
    row.measurements.insert(
        row.measurements.begin() + 2,
        Measurement{.path = kLimitPath, .note = "n/a: the GIF colour quantiser is our own"});
  }
  return row;
}

void PrintStartUpCosts(const std::string& tinyPicture, const std::string& outputRoot,
                       const std::string& errorLog) {
  std::printf(
      "\nprocess start-up of each tool (1x1 PNG to PNG/GIF, median of 5), included in"
      " its times above:\n ");
  for (const PeerTool& tool : PeerTools()) {
    const Conversion& conversion =
        tool.compares(kConversions[0]) ? kConversions[0] : kConversions.back();
    const double seconds = MeasureStartUp(tool, conversion, tinyPicture, outputRoot, errorLog);
    std::printf(" %s %.1f ms;", std::string(tool.name).c_str(), 1000 * seconds);
  }
  std::printf("\n");
}

int Run(const Options& options) {
  // The tools' own threads are turned off: everything runs on the one core it is given.
  setenv("MAGICK_THREAD_LIMIT", "1", 1);
  setenv("VIPS_CONCURRENCY", "1", 1);
  setenv("OMP_NUM_THREADS", "1", 1);

  const std::string sources = options.work + "/sources";
  const std::string outputs = options.work + "/outputs";
  const std::string errorLog = options.work + "/tools-stderr.log";
  fs::create_directories(sources + "/photos");
  fs::create_directories(sources + "/synthetic");
  fs::create_directories(outputs);

  std::vector<PictureSet> sets;
  std::string error;
  if (!options.photos.empty()) {
    PictureSet photos{"photos", options.photosLabel, {}};
    if (!LoadPhotographs(options.photos, sources + "/photos", options.maxPhotos, photos, error)) {
      std::fprintf(stderr, "picbatch_bench: %s\n", error.c_str());
      return 1;
    }
    sets.push_back(std::move(photos));
  }
  PictureSet synthetic{
      "synthetic", "generated: gradient-noise 3000x2000, flat-graphics 2400x1600", {}};
  if (!MakeSyntheticSet(sources + "/synthetic", synthetic, error)) {
    std::fprintf(stderr, "picbatch_bench: %s\n", error.c_str());
    return 1;
  }
  sets.push_back(std::move(synthetic));

  std::vector<ResultRow> rows;
  for (const PictureSet& set : sets) {
    for (const Conversion& conversion : kConversions) {
      rows.push_back(MeasureRow(set, conversion, options, outputs, errorLog));
    }
  }
  PeakMemory peak;
  peak.note = "not measured (no --big picture)";
  if (!options.big.empty()) {
    Progress("peak memory");
    std::error_code selfError;
    const fs::path self = fs::read_symlink("/proc/self/exe", selfError);
    peak = MeasurePeakMemory(self.string(), options.big, options.work, errorLog);
  }

  std::printf("\npicbatch conversion benchmark\n");
  std::printf("  allowed CPUs: %s; MAGICK_THREAD_LIMIT=1 VIPS_CONCURRENCY=1 OMP_NUM_THREADS=1\n",
              AllowedCpus().c_str());
  for (const PictureSet& set : sets) {
    std::printf("  %-9s %zu pictures, %.1f MP: %s\n", set.name.c_str(), set.pictures.size(),
                set.Megapixels(), set.description.c_str());
  }
  std::printf(
      "  in-process paths (picbatch = TranscodePicture; codec layer only = DecodePicture +\n"
      "  EncodePicture; libraries (limit) = TurboJPEG/libpng decode + the same encoder\n"
      "  settings called directly): each picture timed alone, summed over the set, median\n"
      "  of %d passes.\n",
      options.passes);
  std::printf(
      "  tools: one process per picture, wall time from start to exit, PROCESS START-UP\n"
      "  INCLUDED, summed over the set, median of %d passes:\n%s",
      options.peerPasses, DescribePeerSettings().c_str());
  std::printf(
      "  ms/MP = time per megapixel; ours/this = picbatch's time or bytes over this row's"
      " (below 1: ours is faster or smaller).\n  PSNR of GIF output against the JPEG"
      " source, both decoded by our decoder.\n\n");
  PrintTable(rows);
  const std::string tiny = sources + "/tiny.png";
  RgbPicture onePixel{1, 1, {128, 64, 32}};
  rt::Bytes tinyPng;
  if (EncodePngDirect(onePixel, tinyPng) && WriteFile(tiny, tinyPng)) {
    PrintStartUpCosts(tiny, outputs, errorLog);
  }
  PrintPeakMemory(peak);
  const int missed = PrintTargets(rows, peak);
  std::printf("\n%d target(s) not met or not measured\n", missed);
  return 0;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
  bench::Options options;
  std::string error;
  if (!bench::ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "picbatch_bench: %s\n%s", error.c_str(), bench::kUsage);
    return 2;
  }
  if (!options.peakChild.empty()) {
    return bench::RunPeakChild(options.peakChild, true);
  }
  if (!options.peakBaseline.empty()) {
    return bench::RunPeakChild(options.peakBaseline, false);
  }
  return bench::Run(options);
}

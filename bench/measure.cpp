#include "measure.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <system_error>

#include "child_process.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kStartUpRuns = 5;

bool IsGif(const Conversion& conversion) {
  return conversion.encoder == rt::picture::Encoder::Gif;
}

class InProcess final : public Contender {
 public:
  InProcess(std::string path, InProcessPath convert, const Conversion& conversion, int passes)
      : Contender(std::move(path), passes), convert_(convert), conversion_(conversion) {}

  std::optional<double> Convert(const SourcePicture& picture, bool keep) override {
    // A new output buffer every time, as a single conversion has, so that no path gains from
    // memory an earlier conversion already had the system map in.
    rt::Bytes output;
    const auto start = std::chrono::steady_clock::now();
    const bool converted = convert_(picture, conversion_, output);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!converted) {
      return std::nullopt;
    }
    if (keep) {
      sizes_[picture.name] = output.size();
      if (IsGif(conversion_)) {
        kept_[picture.name] = std::move(output);
      }
    }
    return seconds;
  }

  bool Report(const SourcePicture& picture, std::uint64_t& bytes, QualityMeter& quality) override {
    bytes += sizes_[picture.name];
    return !IsGif(conversion_) || quality.Add(picture, kept_[picture.name]);
  }

 private:
  InProcessPath convert_;
  const Conversion& conversion_;
  std::map<std::string, rt::Bytes> kept_;  // GIF outputs, for their quality
  std::map<std::string, std::uint64_t> sizes_;
};

class Peer final : public Contender {
 public:
  Peer(const PeerTool& tool, const Conversion& conversion, int passes, std::string outputFolder,
       std::string errorLog)
      : Contender(std::string(tool.name), passes),
        tool_(tool),
        conversion_(conversion),
        outputFolder_(std::move(outputFolder)),
        errorLog_(std::move(errorLog)) {}

  std::optional<double> Convert(const SourcePicture& picture, bool) override {
    const ChildRun run = RunChild(
        tool_.command(conversion_, SourcePath(picture, conversion_), OutputOf(picture)), errorLog_);
    return run.succeeded ? std::optional(run.seconds) : std::nullopt;
  }

  bool Report(const SourcePicture& picture, std::uint64_t& bytes, QualityMeter& quality) override {
    std::error_code error;
    bytes += fs::file_size(OutputOf(picture), error);
    rt::Bytes converted;
    return !error && (!IsGif(conversion_) ||
                      (ReadFile(OutputOf(picture), converted) && quality.Add(picture, converted)));
  }

 private:
  std::string OutputOf(const SourcePicture& picture) const {
    return outputFolder_ + "/" + picture.name + std::string(conversion_.extension);
  }

  const PeerTool& tool_;
  const Conversion& conversion_;
  std::string outputFolder_;
  std::string errorLog_;
};

// One contender's progress through the passes.
struct Tally {
  std::vector<double> passTimes;
  std::string failure;
};

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty()) {
    return 0;
  }
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::unique_ptr<Contender> InProcessContender(std::string path, InProcessPath convert,
                                              const Conversion& conversion, int passes) {
  return std::make_unique<InProcess>(std::move(path), convert, conversion, passes);
}

std::unique_ptr<Contender> PeerContender(const PeerTool& tool, const Conversion& conversion,
                                         int passes, std::string outputFolder,
                                         std::string errorLog) {
  return std::make_unique<Peer>(tool, conversion, passes, std::move(outputFolder),
                                std::move(errorLog));
}

std::vector<Measurement> MeasureContenders(std::vector<std::unique_ptr<Contender>>& contenders,
                                           const PictureSet& set, const Conversion& conversion) {
  std::vector<Tally> tallies(contenders.size());
  int passes = 0;
  for (std::size_t c = 0; c < contenders.size(); ++c) {
    passes = std::max(passes, contenders[c]->passes());
    tallies[c].passTimes.assign(static_cast<std::size_t>(contenders[c]->passes()), 0.0);
    if (set.pictures.empty() || !contenders[c]->Convert(set.pictures.front(), false)) {
      tallies[c].failure = "failed in the warm-up";
    }
  }
  for (int pass = 0; pass < passes; ++pass) {
    for (const SourcePicture& picture : set.pictures) {
      for (std::size_t c = 0; c < contenders.size(); ++c) {
        Contender& contender = *contenders[c];
        if (!tallies[c].failure.empty() || pass >= contender.passes()) {
          continue;
        }
        const std::optional<double> seconds =
            contender.Convert(picture, pass + 1 == contender.passes());
        if (!seconds) {
          tallies[c].failure = "failed on " + picture.name;
          continue;
        }
        tallies[c].passTimes[static_cast<std::size_t>(pass)] += *seconds;
      }
    }
  }
  std::vector<Measurement> measurements;
  for (std::size_t c = 0; c < contenders.size(); ++c) {
    Measurement m{.path = contenders[c]->path(), .note = tallies[c].failure};
    QualityMeter quality;
    for (const SourcePicture& picture : set.pictures) {
      if (m.note.empty() && !contenders[c]->Report(picture, m.outputBytes, quality)) {
        m.note = "unreadable output for " + picture.name;
      }
    }
    if (m.note.empty()) {
      m.ran = true;
      m.seconds = Median(tallies[c].passTimes);
      m.hasQuality = IsGif(conversion);
      m.psnr = quality.Psnr();
      m.worstPsnr = quality.WorstPsnr();
    }
    measurements.push_back(std::move(m));
  }
  return measurements;
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

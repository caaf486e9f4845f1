// Timing the ways of doing one conversion over a whole picture set. The ways take turns
// picture by picture, so that whatever else the machine does at a moment slows them alike;
// each way's time for the set is the median of its passes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "conversions.h"
#include "peers.h"
#include "pictures.h"
#include "quality.h"

namespace bench {

struct Measurement {
  std::string path;  // who converted: the program, the codecs, the libraries, a tool
  bool ran = false;  // false: not applicable or failed, see note
  std::string note;
  double seconds = 0;  // median over the passes of the time for the whole set
  std::uint64_t outputBytes = 0;
  bool hasQuality = false;
  double psnr = 0;       // over the whole set
  double worstPsnr = 0;  // of the worst picture
};

// One way of converting, picture by picture.
class Contender {
 public:
  Contender(std::string path, int passes) : path_(std::move(path)), passes_(passes) {}
  virtual ~Contender() = default;
  Contender(const Contender&) = delete;
  Contender& operator=(const Contender&) = delete;

  const std::string& path() const { return path_; }
  int passes() const { return passes_; }

  // Converts one picture and returns the time it took; nullopt when it failed or does not
  // apply. `keep` asks to keep what is needed to report the output afterwards.
  virtual std::optional<double> Convert(const SourcePicture& picture, bool keep) = 0;
  // Adds the size of the kept output of `picture`, and for GIF its error to `quality`.
  virtual bool Report(const SourcePicture& picture, std::uint64_t& bytes,
                      QualityMeter& quality) = 0;

 private:
  std::string path_;
  int passes_;
};

// In this process, timing the conversion call alone.
std::unique_ptr<Contender> InProcessContender(std::string path, InProcessPath convert,
                                              const Conversion& conversion, int passes);

// A tool run once per picture, timed from start to exit, process start-up included. Outputs go
// into `outputFolder`; the tool's messages into `errorLog`.
std::unique_ptr<Contender> PeerContender(const PeerTool& tool, const Conversion& conversion,
                                         int passes, std::string outputFolder,
                                         std::string errorLog);

// Warms every contender up on the first picture, then runs the passes and reports each.
std::vector<Measurement> MeasureContenders(std::vector<std::unique_ptr<Contender>>& contenders,
                                           const PictureSet& set, const Conversion& conversion);

// The median time of a tool converting a 1x1 picture: its start-up cost.
double MeasureStartUp(const PeerTool& tool, const Conversion& conversion,
                      const std::string& tinyPicture, const std::string& outputFolder,
                      const std::string& errorLog);

double Median(std::vector<double> values);

}  // namespace bench

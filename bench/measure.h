// Timing one way of converting over a whole picture set: the median of several passes, with
// the output sizes and, for GIF, the PSNR against the sources.
#pragma once

#include <cstdint>
#include <string>

#include "conversions.h"
#include "peers.h"
#include "pictures.h"

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

// In this process: each picture's conversion is timed alone and the times are summed.
Measurement MeasureInProcess(const std::string& path, InProcessPath convert, const PictureSet& set,
                             const Conversion& conversion, int passes);

// A tool run once per picture, timed from start to exit (process start-up included) and
// summed over the set. Outputs go into `outputFolder`; the tool's messages into `errorLog`.
Measurement MeasurePeer(const PeerTool& tool, const PictureSet& set, const Conversion& conversion,
                        int passes, const std::string& outputFolder, const std::string& errorLog);

// The median run of a tool converting a 1x1 picture: its start-up cost.
double MeasureStartUp(const PeerTool& tool, const Conversion& conversion,
                      const std::string& tinyPicture, const std::string& outputFolder,
                      const std::string& errorLog);

double Median(std::vector<double> values);

}  // namespace bench

// PSNR of converted pictures against their sources, over a whole set.
#pragma once

#include <cstdint>
#include <limits>

#include "pictures.h"
#include "runtime/bytes.h"

namespace bench {

class QualityMeter {
 public:
  // Decodes `converted` with our decoder and adds its squared error against the source's
  // reference pixels. False when it does not decode or has another size.
  bool Add(const SourcePicture& source, const rt::Bytes& converted);

  // PSNR in dB over every sample added so far, and of the worst single picture.
  double Psnr() const;
  double WorstPsnr() const { return worst_; }

 private:
  double squaredError_ = 0;
  std::uint64_t samples_ = 0;
  double worst_ = std::numeric_limits<double>::infinity();
};

}  // namespace bench

// The parts of a JPEG file's header that TurboJPEG does not hand out: the Exif block, the
// colour profile split over APP2 markers, and Adobe's colour-transform marker.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace rt::picture {

struct JpegMarkers {
  std::span<const std::uint8_t> exif;    // TIFF-structured block after "Exif\0\0", or empty
  std::vector<std::uint8_t> iccProfile;  // reassembled profile, empty when absent or broken
  bool adobe = false;                    // an Adobe APP14 marker was seen
};

// Walks the markers from SOI up to the first start of scan. Returns false when the marker
// structure is broken before that point.
bool ReadJpegMarkers(std::span<const std::uint8_t> file, JpegMarkers& markers);

// Returns a copy of a JPEG stream with the profile inserted as APP2 markers after SOI and any
// APP0, or an empty vector when the profile is too large for 255 markers.
std::vector<std::uint8_t> WithColourProfile(std::span<const std::uint8_t> jpeg,
                                            std::span<const std::uint8_t> profile);

}  // namespace rt::picture

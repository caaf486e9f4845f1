// The pictures the benchmark converts: a folder of photographs, and generated ones. Each is
// held in memory as a JPEG and a PNG, and written as files for the external tools to read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/bytes.h"

namespace bench {

struct SourcePicture {
  std::string name;
  std::uint32_t width = 0, height = 0;
  rt::Bytes jpeg;
  rt::Bytes png;
  std::string jpegPath;
  std::string pngPath;
  // The JPEG as our decoder reads it, 8-bit RGB: what a lossy output is compared with.
  std::vector<std::uint8_t> reference;
};

struct PictureSet {
  std::string name;
  std::string description;
  std::vector<SourcePicture> pictures;

  double Megapixels() const;
};

// Every *.jpg of `folder` in name order, at most `limit` of them (0: all). The PNG copies are
// written into `workFolder`. False with `error` set when nothing usable is there.
bool LoadPhotographs(const std::string& folder, const std::string& workFolder, std::size_t limit,
                     PictureSet& set, std::string& error);

// Two generated pictures, a smooth gradient with noise and flat graphics, written as JPEG
// (quality 90) and PNG into `workFolder`.
bool MakeSyntheticSet(const std::string& workFolder, PictureSet& set, std::string& error);

// Reads or writes a whole file.
bool ReadFile(const std::string& path, rt::Bytes& bytes);
bool WriteFile(const std::string& path, const rt::Bytes& bytes);

}  // namespace bench

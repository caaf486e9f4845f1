#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "direct_codecs.h"
#include "runtime/files.h"
#include "runtime/posix/picture/picture_codec.h"
#include "synthetic.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

constexpr int kSyntheticJpegQuality = 90;

// The JPEG decoded by our decoder, as RGB whatever it came out as.
bool DecodeReference(const rt::Bytes& jpeg, SourcePicture& picture) {
  rt::picture::Bitmap bitmap;
  if (!rt::picture::DecodePicture(jpeg, bitmap)) {
    return false;
  }
  picture.width = bitmap.width;
  picture.height = bitmap.height;
  if (bitmap.format == rt::picture::PixelFormat::Rgb) {
    picture.reference = std::move(bitmap.pixels);
    return true;
  }
  if (bitmap.format != rt::picture::PixelFormat::Gray) {
    return false;
  }
  picture.reference.resize(bitmap.pixels.size() * 3);
  for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
    std::fill_n(picture.reference.begin() + static_cast<std::ptrdiff_t>(3 * i), 3,
                bitmap.pixels[i]);
  }
  return true;
}

// Fills the PNG copy from the reference pixels and writes it beside the other sources.
bool AddPng(const std::string& workFolder, SourcePicture& picture) {
  const RgbPicture rgb{picture.width, picture.height, picture.reference};
  picture.pngPath = workFolder + "/" + picture.name + ".png";
  return EncodePngDirect(rgb, picture.png) && WriteFile(picture.pngPath, picture.png);
}

}  // namespace

double PictureSet::Megapixels() const {
  double pixels = 0;
  for (const SourcePicture& picture : pictures) {
    pixels += static_cast<double>(picture.width) * picture.height;
  }
  return pixels / 1e6;
}

bool ReadFile(const std::string& path, rt::Bytes& bytes) {
  bytes = rt::ReadWholeFile(path);  // empty for a missing or unreadable file
  return !bytes.empty();
}

bool WriteFile(const std::string& path, const rt::Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool LoadPhotographs(const std::string& folder, const std::string& workFolder, std::size_t limit,
                     PictureSet& set, std::string& error) {
  std::vector<fs::path> files;
  std::error_code listError;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, listError)) {
    if (entry.is_regular_file() && entry.path().extension() == ".jpg") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  if (limit != 0 && files.size() > limit) {
    files.resize(limit);
  }
  if (listError || files.empty()) {
    error = "no *.jpg in " + folder;
    return false;
  }
  for (const fs::path& file : files) {
    SourcePicture picture;
    picture.name = file.stem().string();
    picture.jpegPath = file.string();
    if (!ReadFile(picture.jpegPath, picture.jpeg) || !DecodeReference(picture.jpeg, picture) ||
        !AddPng(workFolder, picture)) {
      error = "cannot use " + picture.jpegPath;
      return false;
    }
    set.pictures.push_back(std::move(picture));
  }
  return true;
}

bool MakeSyntheticSet(const std::string& workFolder, PictureSet& set, std::string& error) {
  const RgbPicture generated[] = {GradientWithNoise(3000, 2000), FlatGraphics(2400, 1600)};
  const char* const names[] = {"gradient-noise", "flat-graphics"};
  for (std::size_t i = 0; i < std::size(generated); ++i) {
    SourcePicture picture;
    picture.name = names[i];
    picture.jpegPath = workFolder + "/" + picture.name + ".jpg";
    if (!EncodeJpegDirect(generated[i], kSyntheticJpegQuality, picture.jpeg) ||
        !WriteFile(picture.jpegPath, picture.jpeg) || !DecodeReference(picture.jpeg, picture) ||
        !AddPng(workFolder, picture)) {
      error = "cannot make the synthetic picture " + picture.name;
      return false;
    }
    set.pictures.push_back(std::move(picture));
  }
  return true;
}

}  // namespace bench

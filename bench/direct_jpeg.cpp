// JPEG through TurboJPEG, called directly.
#include <turbojpeg.h>

#include <memory>

#include "direct_codecs.h"

namespace bench {
namespace {

struct HandleDeleter {
  void operator()(void* handle) const { tjDestroy(handle); }
};
using Handle = std::unique_ptr<void, HandleDeleter>;

struct BufferDeleter {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};
using Buffer = std::unique_ptr<unsigned char, BufferDeleter>;

}  // namespace

bool DecodeJpegDirect(FileBytes file, RgbPicture& picture) {
  const Handle handle(tjInitDecompress());
  if (!handle) {
    return false;
  }
  auto* data = const_cast<unsigned char*>(file.data());  // TurboJPEG 2.1 takes no const
  const auto size = static_cast<unsigned long>(file.size());
  int width = 0, height = 0, subsampling = 0, colourspace = 0;
  if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colourspace) !=
          0 ||
      width <= 0 || height <= 0) {
    return false;
  }
  picture.width = static_cast<std::uint32_t>(width);
  picture.height = static_cast<std::uint32_t>(height);
  picture.pixels.resize(std::size_t{picture.width} * picture.height * 3);
  return tjDecompress2(handle.get(), data, size, picture.pixels.data(), width, 0, height, TJPF_RGB,
                       TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS) == 0;
}

bool EncodeJpegDirect(const RgbPicture& picture, int quality, Output& file) {
  const Handle handle(tjInitCompress());
  if (!handle) {
    return false;
  }
  unsigned char* compressed = nullptr;
  unsigned long compressedSize = 0;
  const int result =
      tjCompress2(handle.get(), picture.pixels.data(), static_cast<int>(picture.width), 0,
                  static_cast<int>(picture.height), TJPF_RGB, &compressed, &compressedSize,
                  TJSAMP_420, quality, 0);
  const Buffer owner(compressed);
  if (result != 0 || !owner) {
    return false;
  }
  file.assign(owner.get(), owner.get() + compressedSize);
  return true;
}

}  // namespace bench

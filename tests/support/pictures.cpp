#include "support/pictures.h"

#include "runtime/files.h"

namespace testing_support {
namespace {

void PutLittleEndian(rt::Bytes& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) {
    bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
}

}  // namespace

rt::Bytes MakeBmp24(std::uint32_t width, std::uint32_t height, std::uint8_t seed) {
  const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
  const std::uint32_t pixelBytes = rowSize * height;
  rt::Bytes bmp{'B', 'M'};
  PutLittleEndian(bmp, 14 + 40 + pixelBytes, 4);
  PutLittleEndian(bmp, 0, 4);
  PutLittleEndian(bmp, 14 + 40, 4);
  PutLittleEndian(bmp, 40, 4);
  PutLittleEndian(bmp, width, 4);
  PutLittleEndian(bmp, height, 4);
  PutLittleEndian(bmp, 1, 2);
  PutLittleEndian(bmp, 24, 2);
  for (int field = 0; field < 6; ++field) {
    PutLittleEndian(bmp, 0, 4);
  }
  for (std::uint32_t row = height; row-- > 0;) {  // stored bottom-up
    for (std::uint32_t x = 0; x < width; ++x) {
      bmp.push_back(200);
      bmp.push_back(static_cast<std::uint8_t>(row * 90));
      bmp.push_back(static_cast<std::uint8_t>(x * 60 + seed));
    }
    for (std::uint32_t pad = width * 3; pad < rowSize; ++pad) {
      bmp.push_back(0);
    }
  }
  return bmp;
}

rt::picture::Bitmap Decode(const rt::Bytes& file) {
  rt::picture::Bitmap bitmap;
  rt::picture::DecodePicture(file, bitmap);
  return bitmap;
}

rt::picture::Bitmap DecodeFile(const std::string& path) {
  return Decode(rt::ReadWholeFile(path));
}

}  // namespace testing_support

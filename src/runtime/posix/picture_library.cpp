// The picture library of the Linux build, over the codec layer.
#include "runtime/picture_library.h"

#include <array>
#include <memory>
#include <new>
#include <set>
#include <utility>
#include <vector>

#include "runtime/class_id.h"
#include "runtime/posix/global_block.h"
#include "runtime/posix/handle_counts.h"
#include "runtime/posix/handle_table.h"
#include "runtime/posix/picture/picture_codec.h"
#include "runtime/posix/stream_bytes.h"

namespace rt {

struct PictureTag {
  picture::Bitmap bitmap;
};

}  // namespace rt

namespace rt::posix {
namespace {

struct EncoderEntry {
  ClassId id;
  picture::Encoder encoder;
};

// The library's built-in encoders and the class ids they are known by.
constexpr std::array<EncoderEntry, 5> kEncoders{{
    {ClassIdOf(kBmpEncoderClassId), picture::Encoder::Bmp},
    {ClassIdOf(kJpegEncoderClassId), picture::Encoder::Jpeg},
    {ClassIdOf(kGifEncoderClassId), picture::Encoder::Gif},
    {ClassIdOf(kTiffEncoderClassId), picture::Encoder::Tiff},
    {ClassIdOf(kPngEncoderClassId), picture::Encoder::Png},
}};

constexpr PictureStatus kNotStarted = static_cast<PictureStatus>(18);
constexpr PictureStatus kUnsupportedVersion = static_cast<PictureStatus>(17);

struct Library {
  PictureToken lastToken = 0;
  std::set<PictureToken> liveTokens;
  HandleTable<PictureTag> pictures;
};

Library& TheLibrary() {
  static Library library;
  return library;
}

bool Started() {
  return !TheLibrary().liveTokens.empty();
}

PictureTag* LivePicture(Picture picture) {
  return TheLibrary().pictures.Live(picture);
}

}  // namespace

HandleCounts CurrentHandleCounts() {
  return {LiveBlockCount(), LiveStreamCount(), TheLibrary().pictures.Count(),
          TheLibrary().liveTokens.size()};
}

}  // namespace rt::posix

namespace rt {

using posix::TheLibrary;

PictureStatus GdiplusStartup(PictureToken* token, const PictureStartupInput* input, void* output) {
  if (token == nullptr || input == nullptr) {
    return PictureStatus::InvalidParameter;
  }
  if (input->version != 1) {
    return posix::kUnsupportedVersion;
  }
  // Without the background thread a caller must take the hooks the output record gives.
  if (input->suppressBackgroundThread != 0 && output == nullptr) {
    return PictureStatus::InvalidParameter;
  }
  try {
    const PictureToken issued = ++TheLibrary().lastToken;
    TheLibrary().liveTokens.insert(issued);
    *token = issued;
    return PictureStatus::Ok;
  } catch (const std::bad_alloc&) {
    return PictureStatus::OutOfMemory;
  }
}

void GdiplusShutdown(PictureToken token) {
  TheLibrary().liveTokens.erase(token);
}

PictureStatus GdipCreateBitmapFromStream(Stream stream, Picture* picture) {
  if (picture == nullptr) {
    return PictureStatus::InvalidParameter;
  }
  if (!posix::Started()) {
    return posix::kNotStarted;
  }
  try {
    auto decoded = std::make_unique<PictureTag>();
    if (!picture::DecodePicture(posix::UnreadBytes(stream), decoded->bitmap)) {
      return PictureStatus::UnknownImageFormat;
    }
    *picture = TheLibrary().pictures.Add(std::move(decoded));
    return PictureStatus::Ok;
  } catch (const std::bad_alloc&) {
    return PictureStatus::OutOfMemory;
  }
}

PictureStatus GdipSaveImageToStream(Picture picture, Stream stream, const ClassId* encoder,
                                    const void* /*encoderParameters*/) {
  const PictureTag* const live = posix::LivePicture(picture);
  if (live == nullptr || encoder == nullptr) {
    return PictureStatus::InvalidParameter;
  }
  if (!posix::Started()) {
    return posix::kNotStarted;
  }
  for (const posix::EncoderEntry& entry : posix::kEncoders) {
    if (entry.id != *encoder) {
      continue;
    }
    std::vector<std::uint8_t> encoded;
    if (!picture::EncodePicture(live->bitmap, entry.encoder, encoded)) {
      return PictureStatus::GenericError;
    }
    return posix::WriteBytes(stream, std::move(encoded)) ? PictureStatus::Ok
                                                         : PictureStatus::OutOfMemory;
  }
  return PictureStatus::FileNotFound;
}

PictureStatus GdipDisposeImage(Picture picture) {
  return TheLibrary().pictures.Remove(picture) ? PictureStatus::Ok
                                               : PictureStatus::InvalidParameter;
}

}  // namespace rt

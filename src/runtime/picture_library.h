// The picture library: decodes a picture from a memory stream and encodes it into another one
// with the encoder named by a class id.
#pragma once

#include <cstdint>

#include "runtime/class_id.h"
#include "runtime/memory_stream.h"

namespace rt {

struct PictureTag;
using Picture = PictureTag*;

enum class PictureStatus : std::int32_t {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  UnknownImageFormat = 13,
  FileNotFound = 10,
};

// Four 32-bit fields, as the library's start-up takes them.
struct PictureStartupInput {
  std::uint32_t version = 0;
  std::uint32_t debugEventCallback = 0;  // never given here
  std::int32_t suppressBackgroundThread = 0;
  std::int32_t suppressExternalCodecs = 0;
};

using PictureToken = std::uintptr_t;

PictureStatus GdiplusStartup(PictureToken* token, const PictureStartupInput* input, void* output);
// Only with a token that a start-up handed back.
void GdiplusShutdown(PictureToken token);
// Decodes the picture that the stream holds from its current position on; `picture` stays
// null when that fails.
PictureStatus GdipCreateBitmapFromStream(Stream stream, Picture* picture);
// Encodes with the encoder of `encoder`; an id that names no encoder writes nothing.
PictureStatus GdipSaveImageToStream(Picture picture, Stream stream, const ClassId* encoder,
                                    const void* encoderParameters);
PictureStatus GdipDisposeImage(Picture picture);

}  // namespace rt

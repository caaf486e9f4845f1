// GIF through giflib, reading from and writing to memory through its callbacks.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "runtime/posix/picture/codecs.h"
#include "runtime/posix/picture/gif_quantiser.h"
#include "runtime/posix/picture/pixel_buffer.h"

namespace rt::picture {
namespace {

struct GifInput {
  FileBytes file;
  std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int length) {
  auto* input = static_cast<GifInput*>(gif->UserData);
  const std::size_t wanted = length > 0 ? static_cast<std::size_t>(length) : 0;
  const std::size_t count = std::min(wanted, input->file.size() - input->position);
  std::memcpy(out, input->file.data() + input->position, count);
  input->position += count;
  return static_cast<int>(count);
}

struct GifReaderCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifReader = std::unique_ptr<GifFileType, GifReaderCloser>;

struct GifWriterCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
using GifWriter = std::unique_ptr<GifFileType, GifWriterCloser>;

// Skips extension blocks up to the first image, noting the transparent index of a graphic
// control extension. Returns false at the end of the file or on a read error.
bool SkipToFirstImage(GifFileType* gif, int& transparentIndex) {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
      return false;
    }
    if (type == IMAGE_DESC_RECORD_TYPE) {
      return true;
    }
    if (type != EXTENSION_RECORD_TYPE) {
      return false;
    }
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
      return false;
    }
    // Graphic control block: size 4, flags (bit 0 = transparent), delay (2), index.
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
      transparentIndex = (block[1] & 1) ? block[4] : -1;
    }
    while (block) {
      if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
        return false;
      }
    }
  }
}

// Reads the frame's rows (in interlaced order when flagged) and places the part inside the
// canvas. All rows are read even when the frame sticks out, so a broken stream still fails.
bool ReadFrame(GifFileType* gif, Bitmap& bitmap) {
  const GifImageDesc& frame = gif->Image;
  const auto frameWidth = static_cast<std::uint32_t>(frame.Width);
  const auto frameHeight = static_cast<std::uint32_t>(frame.Height);
  const auto left = static_cast<std::uint32_t>(frame.Left);
  const auto top = static_cast<std::uint32_t>(frame.Top);
  std::vector<GifPixelType> line(frameWidth);
  const std::uint32_t visibleWidth =
      left < bitmap.width ? std::min(frameWidth, bitmap.width - left) : 0;
  auto readRow = [&](std::uint32_t row) {
    if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) {
      return false;
    }
    const std::uint32_t y = top + row;
    if (y < bitmap.height && visibleWidth > 0) {
      std::copy_n(line.data(), visibleWidth,
                  bitmap.pixels.data() + std::size_t{y} * bitmap.width + left);
    }
    return true;
  };
  if (frame.Interlace) {
    constexpr std::uint32_t kStarts[] = {0, 4, 2, 1};
    constexpr std::uint32_t kSteps[] = {8, 8, 4, 2};
    for (std::size_t pass = 0; pass < 4; ++pass) {
      for (std::uint32_t row = kStarts[pass]; row < frameHeight; row += kSteps[pass]) {
        if (!readRow(row)) {
          return false;
        }
      }
    }
    return true;
  }
  for (std::uint32_t row = 0; row < frameHeight; ++row) {
    if (!readRow(row)) {
      return false;
    }
  }
  return true;
}

// ---- Encoding -------------------------------------------------------------------------------

struct GifOutput {
  Output* file;
  bool failed = false;
};

int WriteToMemory(GifFileType* gif, const GifByteType* data, int length) {
  auto* output = static_cast<GifOutput*>(gif->UserData);
  try {
    output->file->insert(output->file->end(), data, data + length);
    return length;
  } catch (const std::bad_alloc&) {
    output->failed = true;
    return 0;
  }
}

struct ColourMapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColourMap = std::unique_ptr<ColorMapObject, ColourMapDeleter>;

ColourMap MakeColourMap(const std::vector<PaletteEntry>& palette) {
  int size = 2;  // GIF colour tables hold a power of two of at least 2 entries
  while (static_cast<std::size_t>(size) < palette.size()) {
    size *= 2;
  }
  std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
  for (std::size_t i = 0; i < palette.size(); ++i) {
    colours[i] = {palette[i].red, palette[i].green, palette[i].blue};
  }
  return ColourMap(GifMakeMapObject(size, colours.data()));
}

// The picture as indexes: an indexed bitmap keeps its palette, gray becomes 256 grays, and true
// colour is quantised.
QuantisedPicture ToIndexes(const Bitmap& bitmap) {
  QuantisedPicture picture;
  if (bitmap.format == PixelFormat::Gray) {
    for (unsigned level = 0; level < 256; ++level) {
      const auto v = static_cast<std::uint8_t>(level);
      picture.palette.push_back({v, v, v, 255});
    }
    picture.indexes = bitmap.pixels;
    return picture;
  }
  if (bitmap.format != PixelFormat::Indexed) {
    return Quantise(bitmap);
  }
  picture.palette = bitmap.palette;
  picture.indexes = bitmap.pixels;
  // GIF has one transparent index: every mostly transparent entry folds into the first one.
  std::array<std::uint8_t, 256> remap{};
  bool folds = false;
  for (std::size_t i = 0; i < picture.palette.size(); ++i) {
    remap[i] = static_cast<std::uint8_t>(i);
    if (picture.palette[i].alpha >= 128) {
      picture.palette[i].alpha = 255;
      continue;
    }
    if (picture.transparentIndex < 0) {
      picture.transparentIndex = static_cast<int>(i);
    } else {
      remap[i] = static_cast<std::uint8_t>(picture.transparentIndex);
      folds = true;
    }
    picture.palette[i].alpha = 0;
  }
  if (folds) {
    for (std::uint8_t& index : picture.indexes) {
      index = remap[index];
    }
  }
  return picture;
}

bool WriteGif(GifFileType* gif, const Bitmap& bitmap, const QuantisedPicture& picture) {
  const ColourMap colours = MakeColourMap(picture.palette);
  if (!colours) {
    return false;
  }
  const auto width = static_cast<int>(bitmap.width);
  const auto height = static_cast<int>(bitmap.height);
  EGifSetGifVersion(gif, picture.transparentIndex >= 0);
  if (EGifPutScreenDesc(gif, width, height, 8, 0, colours.get()) == GIF_ERROR) {
    return false;
  }
  if (picture.transparentIndex >= 0) {
    // Graphic control block: transparent flag, no delay, the index.
    GifByteType control[4] = {1, 0, 0, static_cast<GifByteType>(picture.transparentIndex)};
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_ERROR) {
      return false;
    }
  }
  if (EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_ERROR) {
    return false;
  }
  // giflib masks the line it is given in place, so it gets a copy of each row.
  std::vector<GifPixelType> line(bitmap.width);
  for (std::uint32_t y = 0; y < bitmap.height; ++y) {
    std::copy_n(picture.indexes.data() + std::size_t{y} * bitmap.width, bitmap.width, line.data());
    if (EGifPutLine(gif, line.data(), width) == GIF_ERROR) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool DecodeGif(FileBytes file, Bitmap& bitmap) {
  GifInput input{file};
  int error = 0;
  const GifReader gif(DGifOpen(&input, ReadFromMemory, &error));
  if (!gif) {
    return false;
  }
  int transparentIndex = -1;
  if (!SkipToFirstImage(gif.get(), transparentIndex) || DGifGetImageDesc(gif.get()) == GIF_ERROR) {
    return false;
  }
  const GifImageDesc& frame = gif->Image;
  if (frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0 ||
      !WithinDecodeLimit(static_cast<std::uint64_t>(frame.Width),
                         static_cast<std::uint64_t>(frame.Height), PixelFormat::Indexed)) {
    return false;
  }
  const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
  if (!colours || colours->ColorCount <= 0 || colours->ColorCount > 256) {
    return false;
  }
  // The logical screen is the canvas; a file that leaves it empty gets the frame's extent.
  const auto canvasWidth =
      static_cast<std::uint32_t>(gif->SWidth > 0 ? gif->SWidth : frame.Left + frame.Width);
  const auto canvasHeight =
      static_cast<std::uint32_t>(gif->SHeight > 0 ? gif->SHeight : frame.Top + frame.Height);
  if (!AllocatePixels(bitmap, canvasWidth, canvasHeight, PixelFormat::Indexed)) {
    return false;
  }
  // Canvas outside the frame shows the transparent index if there is one, else the background.
  const int fill = transparentIndex >= 0 ? transparentIndex : gif->SBackGroundColor;
  std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), static_cast<std::uint8_t>(fill));
  if (!ReadFrame(gif.get(), bitmap)) {
    return false;
  }
  for (int i = 0; i < colours->ColorCount; ++i) {
    const GifColorType& colour = colours->Colors[i];
    bitmap.palette.push_back({colour.Red, colour.Green, colour.Blue, 255});
  }
  CoverPaletteIndexes(bitmap);
  if (transparentIndex >= 0 && static_cast<std::size_t>(transparentIndex) < bitmap.palette.size()) {
    bitmap.palette[static_cast<std::size_t>(transparentIndex)].alpha = 0;
  }
  return true;
}

bool EncodeGif(const Bitmap& bitmap, Output& file) {
  const QuantisedPicture picture = ToIndexes(bitmap);
  GifOutput output{&file};
  int error = 0;
  GifWriter gif(EGifOpen(&output, WriteToMemory, &error));
  if (!gif || !WriteGif(gif.get(), bitmap, picture)) {
    return false;
  }
  // Closing writes the trailer, so its result decides success.
  if (EGifCloseFile(gif.release(), &error) == GIF_ERROR) {
    return false;
  }
  return !output.failed;
}

}  // namespace rt::picture

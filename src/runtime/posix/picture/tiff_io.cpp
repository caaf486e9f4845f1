#include "runtime/posix/picture/tiff_io.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <unordered_set>

#include "runtime/posix/picture/byte_reader.h"
#include "runtime/posix/picture/picture_codec.h"

namespace rt::picture {
namespace {

// libtiff's own allocations (strip buffers, tag arrays) stay below this: a little above the
// largest pixel buffer a decode may produce.
constexpr tmsize_t kMaxSingleAllocation = static_cast<tmsize_t>(kMaxPixelBytes + (1u << 20));
// A file with more pages than this is taken as hostile.
constexpr std::size_t kMaxDirectories = 65536;

TiffMemoryStream& StreamOf(thandle_t handle) {
  return *static_cast<TiffMemoryStream*>(handle);
}

std::uint64_t StreamSize(const TiffMemoryStream& stream) {
  return stream.output ? stream.output->size() : stream.input.size();
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  TiffMemoryStream& stream = StreamOf(handle);
  const std::uint64_t total = StreamSize(stream);
  if (size < 0 || stream.position > total) {
    return -1;
  }
  const std::uint64_t count =
      std::min<std::uint64_t>(static_cast<std::uint64_t>(size), total - stream.position);
  const std::uint8_t* source = stream.output ? stream.output->data() : stream.input.data();
  if (count > 0) {
    std::memcpy(buffer, source + stream.position, count);
  }
  stream.position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
  TiffMemoryStream& stream = StreamOf(handle);
  if (!stream.output || size < 0) {
    return -1;
  }
  try {
    const auto count = static_cast<std::uint64_t>(size);
    std::vector<std::uint8_t>& out = *stream.output;
    if (stream.position + count > out.size()) {
      out.resize(stream.position + count);
    }
    std::memcpy(out.data() + stream.position, buffer, count);
    stream.position += count;
    return size;
  } catch (const std::bad_alloc&) {
    stream.failed = true;
    return -1;
  }
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  TiffMemoryStream& stream = StreamOf(handle);
  std::uint64_t base = 0;
  if (whence == SEEK_CUR) {
    base = stream.position;
  } else if (whence == SEEK_END) {
    base = StreamSize(stream);
  }
  stream.position = base + offset;
  return stream.position;
}

int CloseProc(thandle_t) {
  return 0;
}

toff_t SizeProc(thandle_t handle) {
  return StreamSize(StreamOf(handle));
}

// Reading maps the input directly, so strips are decoded from it without a copy.
int MapProc(thandle_t handle, void** base, toff_t* size) {
  TiffMemoryStream& stream = StreamOf(handle);
  if (stream.output) {
    return 0;
  }
  *base = const_cast<std::uint8_t*>(stream.input.data());
  *size = stream.input.size();
  return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int OnTiffError(TIFF*, void* userData, const char*, const char*, va_list) {
  static_cast<TiffMemoryStream*>(userData)->failed = true;
  return 1;  // handled: libtiff must not call any process-wide handler
}

int IgnoreTiffWarning(TIFF*, void*, const char*, const char*, va_list) {
  return 1;
}

struct OptionsDeleter {
  void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

TiffHandle Open(TiffMemoryStream& stream, const char* mode) {
  const std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
  if (!options) {
    return nullptr;
  }
  TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxSingleAllocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options.get(), OnTiffError, &stream);
  TIFFOpenOptionsSetWarningHandlerExtR(options.get(), IgnoreTiffWarning, &stream);
  return TiffHandle(TIFFClientOpenExt("picture", mode, &stream, ReadProc, WriteProc, SeekProc,
                                      CloseProc, SizeProc, MapProc, UnmapProc, options.get()));
}

// Bytes per value of each TIFF field type; 0 for types libtiff does not know.
std::uint64_t FieldTypeSize(std::uint16_t type) {
  switch (type) {
    case 1:
    case 2:
    case 6:
    case 7:  // byte, ASCII, signed byte, undefined
      return 1;
    case 3:
    case 8:  // short, signed short
      return 2;
    case 4:
    case 9:
    case 11:
    case 13:  // long, signed long, float, IFD
      return 4;
    case 5:
    case 10:
    case 12:
    case 16:
    case 17:
    case 18:  // rationals, double, 64-bit values
      return 8;
    default:
      return 0;
  }
}

}  // namespace

// "C" asks for large uncompressed strips to be read in chunks.
TiffHandle OpenTiffForReading(TiffMemoryStream& stream) {
  return Open(stream, "rC");
}

TiffHandle OpenTiffForWriting(TiffMemoryStream& stream) {
  return Open(stream, "w");
}

bool TiffStructureIsSound(std::span<const std::uint8_t> file) {
  ByteReader reader(file);
  const auto order = reader.U16(0);
  if (!order || (*order != 0x4949 && *order != 0x4d4d)) {
    return false;
  }
  reader.SetBigEndian(*order == 0x4d4d);
  const auto version = reader.U16(2);
  if (!version || (*version != 42 && *version != 43)) {
    return false;
  }
  const bool big = *version == 43;
  // Classic: 2-byte count, 12-byte entries, 4-byte next offset; BigTIFF: 8, 20 and 8.
  const std::uint64_t countSize = big ? 8 : 2;
  const std::uint64_t entrySize = big ? 20 : 12;
  const std::uint64_t offsetSize = big ? 8 : 4;
  auto offsetAt = [&](std::uint64_t at) -> std::optional<std::uint64_t> {
    return big ? reader.U64(at) : std::optional<std::uint64_t>(reader.U32(at));
  };
  std::optional<std::uint64_t> next = offsetAt(big ? 8 : 4);
  std::unordered_set<std::uint64_t> seen;
  while (next && *next != 0) {
    if (!seen.insert(*next).second || seen.size() > kMaxDirectories) {
      return false;
    }
    const auto count = big ? reader.U64(*next) : std::optional<std::uint64_t>(reader.U16(*next));
    if (!count || *count > file.size() / entrySize) {
      return false;
    }
    // Values that do not fit in an entry live elsewhere in the file, and must lie inside it:
    // libtiff would otherwise drop such a tag with a mere warning (a colour map, say).
    for (std::uint64_t i = 0; i < *count; ++i) {
      const std::uint64_t entry = *next + countSize + i * entrySize;
      const auto type = reader.U16(entry + 2);
      const auto values =
          big ? reader.U64(entry + 4) : std::optional<std::uint64_t>(reader.U32(entry + 4));
      if (!type || !values) {
        return false;
      }
      const std::uint64_t typeSize = FieldTypeSize(*type);
      if (typeSize == 0) {
        continue;  // a type libtiff skips
      }
      if (*values > file.size() / typeSize) {
        return false;  // more bytes than the whole file
      }
      if (*values * typeSize <= offsetSize) {
        continue;  // stored inside the entry
      }
      const auto at = offsetAt(entry + 4 + offsetSize);
      if (!at || !reader.Holds(*at, *values * typeSize)) {
        return false;
      }
    }
    const std::uint64_t nextField = *next + countSize + *count * entrySize;
    if (!reader.Holds(nextField, offsetSize)) {
      return false;
    }
    next = offsetAt(nextField);
  }
  return next.has_value() && !seen.empty();
}

}  // namespace rt::picture

#include "transcode/transcode_picture.h"

#include <string_view>

#include "runtime/class_id.h"
#include "runtime/code_page.h"
#include "runtime/global_memory.h"
#include "runtime/memory_stream.h"
#include "runtime/picture_library.h"
#include "runtime/unique_handle.h"
#include "state/app_state.h"
#include "transcode/output_format.h"

namespace {

// One start-up of the picture library per conversion, and the matching shut-down. A start-up
// that failed handed back no token, so nothing is shut down then.
class PictureLibrarySession {
 public:
  PictureLibrarySession() {
    rt::PictureStartupInput startupInput{};
    startupInput.version = 1;
    started_ =
        rt::GdiplusStartup(&AppState.gdiplusToken, &startupInput, nullptr) == rt::PictureStatus::Ok;
  }
  ~PictureLibrarySession() {
    if (started_) {
      rt::GdiplusShutdown(AppState.gdiplusToken);
    }
  }
  PictureLibrarySession(const PictureLibrarySession&) = delete;
  PictureLibrarySession& operator=(const PictureLibrarySession&) = delete;

 private:
  bool started_ = false;
};

// The encoder's class id for a format code; all zero (no encoder) for a code outside the table.
rt::ClassId EncoderClassId(std::int32_t formatCode) {
  rt::ClassId encoder{};
  std::string_view classIdText;
  if (EncoderClassIdOfCode(formatCode, classIdText)) {
    const rt::Bytes wide = ToWideBytes(std::string(classIdText));
    rt::CLSIDFromString(wide.empty() ? nullptr : reinterpret_cast<const char16_t*>(wide.data()),
                        &encoder);
  }
  return encoder;
}

}  // namespace

bool TranscodePicture(const rt::Bytes& input, std::int32_t formatCode, rt::Bytes& result) {
  // Declared in the reverse of their release order: the picture is disposed first, then the
  // library is shut down, then the input stream and last the output stream are released.
  rt::UniqueStream outputStream;
  rt::UniqueStream inputStream;
  const PictureLibrarySession session;
  rt::UniquePicture picture;

  const rt::ClassId encoder = EncoderClassId(formatCode);

  // The input stream owns a copy of the input and frees it when it is released.
  const rt::GlobalBlock inputBlock = rt::GlobalAlloc(rt::kGlobalFixed, input.size());
  if (inputBlock == nullptr) {
    return false;
  }
  if (rt::CreateStreamOnHGlobal(inputBlock, true, inputStream.Receive()) != rt::kOk) {
    rt::GlobalFree(inputBlock);  // no stream took it over
    return false;
  }
  if (void* const inputBytes = rt::GlobalLock(inputBlock); inputBytes != nullptr) {
    rt::CopyMemoryBytes(inputBytes, input.data(), input.size());
  }
  rt::GlobalUnlock(inputBlock);

  rt::GdipCreateBitmapFromStream(inputStream.Get(), picture.Receive());
  rt::CreateStreamOnHGlobal(nullptr, true, outputStream.Receive());
  rt::GdipSaveImageToStream(picture.Get(), outputStream.Get(), &encoder, nullptr);

  // Whatever the encoder wrote is the result; a block that holds no bytes cannot be locked.
  rt::GlobalBlock outputBlock = nullptr;
  rt::GetHGlobalFromStream(outputStream.Get(), &outputBlock);
  const void* const outputBytes = rt::GlobalLock(outputBlock);
  const std::size_t outputSize = rt::GlobalSize(outputBlock);
  bool converted = false;
  if (outputBytes != nullptr) {
    // The block's bytes replace what the result held, in one pass over a large picture (not a
    // fill and a copy); a run that converts into one buffer keeps its memory from entry to entry.
    const auto* const first = static_cast<const std::uint8_t*>(outputBytes);
    result.assign(first, first + outputSize);
    converted = true;
  }
  rt::GlobalUnlock(outputBlock);
  return converted;
}

rt::Bytes ToWideBytes(const std::string& text) {
  if (text.empty()) {
    return {};
  }
  const int units = rt::MultiByteToWideChar(rt::kCodePageAnsi, 0, text.c_str(), -1, nullptr, 0);
  rt::Bytes wide(2 * static_cast<std::size_t>(units > 0 ? units : 0));
  if (units > 0) {
    // Everything but the terminator is converted; the last two zero bytes end the text.
    rt::MultiByteToWideChar(rt::kCodePageAnsi, 0, text.c_str(), static_cast<int>(text.size()),
                            reinterpret_cast<char16_t*>(wide.data()), units);
  }
  return wide;
}

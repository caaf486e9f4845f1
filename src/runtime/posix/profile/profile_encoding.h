// The two forms a profile file can take on disk and the text the parser works on.
//
// A file is code-page text (UTF-8 here), read and written as raw bytes, unless it starts with the
// UTF-16LE byte order mark FF FE: then it is UTF-16LE, parsed as UTF-8 and written back as
// UTF-16LE. A UTF-8 byte order mark is not special; it is part of the first line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rt::profile {

enum class FileForm { kCodePage, kUtf16Le };

struct DecodedProfile {
  FileForm form = FileForm::kCodePage;
  // For a UTF-16 file, UTF-8 in which unpaired surrogates are kept as their three-byte encoding,
  // so that a rewrite gives back every code unit it did not edit.
  std::string text;
  // A UTF-16 file's byte order mark stays at the start of `text`: a file holding only the mark
  // counts as not ending in a line break. It belongs to no line, though.
  std::size_t linesBegin = 0;
  // The odd last byte of a UTF-16 file, put back after the text on a rewrite.
  std::optional<char> strayTrailingByte;
};

DecodedProfile DecodeProfile(std::string fileBytes);

// The bytes of `text` in the form of the file it was decoded from.
std::string EncodeProfile(const DecodedProfile& original, std::string text);

// Text crossing between the caller (UTF-8 code page) and a UTF-16 file is converted as a UTF-8
// code page converts it: each ill-formed sequence, an encoded surrogate too, becomes U+FFFD.
// Code-page files take the caller's bytes unchanged.
std::string AsCodePageText(std::string_view text, FileForm form);

}  // namespace rt::profile

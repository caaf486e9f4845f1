#include "runtime/posix/profile/profile_encoding.h"

#include <utility>

namespace rt::profile {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsUtf16LeSignature(std::string_view bytes) noexcept {
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
         static_cast<unsigned char>(bytes[1]) == 0xFE;
}

bool IsHighSurrogate(char32_t unit) noexcept {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) noexcept {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  const auto byte = [](char32_t bits) {
    return static_cast<char>(static_cast<unsigned char>(bits));
  };
  if (codePoint < 0x80) {
    out.push_back(byte(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(byte(0xC0 | (codePoint >> 6)));
    out.push_back(byte(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(byte(0xE0 | (codePoint >> 12)));
    out.push_back(byte(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(byte(0xF0 | (codePoint >> 18)));
    out.push_back(byte(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(byte(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(byte(0x80 | (codePoint & 0x3F)));
  }
}

struct DecodedCharacter {
  char32_t codePoint = kReplacementCharacter;
  // Bytes consumed. An ill-formed sequence consumes its longest valid beginning, at least one
  // byte, so that each broken sequence becomes one U+FFFD.
  std::size_t length = 1;
  bool wellFormed = false;
};

// Decodes the UTF-8 sequence at `text[at]`. With `allowSurrogates` the three-byte encodings of
// U+D800..U+DFFF are accepted, which is how this layer keeps unpaired UTF-16 surrogates.
DecodedCharacter DecodeUtf8At(std::string_view text, std::size_t at, bool allowSurrogates) {
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byteAt(at);
  if (lead < 0x80) {
    return {lead, 1, true};
  }
  std::size_t length = 0;
  char32_t codePoint = 0;
  unsigned char secondMin = 0x80;
  unsigned char secondMax = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0Fu;
    secondMin = lead == 0xE0 ? 0xA0 : 0x80;
    secondMax = (lead == 0xED && !allowSurrogates) ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07u;
    secondMin = lead == 0xF0 ? 0x90 : 0x80;
    secondMax = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return {};
  }
  for (std::size_t i = 1; i < length; ++i) {
    const bool inRange = at + i < text.size() && byteAt(at + i) >= (i == 1 ? secondMin : 0x80) &&
                         byteAt(at + i) <= (i == 1 ? secondMax : 0xBF);
    if (!inRange) {
      return {kReplacementCharacter, i, false};
    }
    codePoint = (codePoint << 6) | (byteAt(at + i) & 0x3Fu);
  }
  return {codePoint, length, true};
}

std::string Utf16LeToText(std::string_view bytes) {
  const auto unitAt = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                 (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  };
  const std::size_t units = bytes.size() / 2;
  std::string text;
  text.reserve(units * 3 / 2);
  for (std::size_t i = 0; i < units; ++i) {
    const char32_t unit = unitAt(i);
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
      AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00));
      ++i;
    } else {
      AppendUtf8(text, unit);
    }
  }
  return text;
}

std::string TextToUtf16Le(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  const auto appendUnit = [&](char32_t unit) {
    bytes.push_back(static_cast<char>(static_cast<unsigned char>(unit & 0xFF)));
    bytes.push_back(static_cast<char>(static_cast<unsigned char>(unit >> 8)));
  };
  for (std::size_t at = 0; at < text.size();) {
    const DecodedCharacter character = DecodeUtf8At(text, at, /*allowSurrogates=*/true);
    at += character.length;
    if (character.codePoint >= 0x10000) {
      appendUnit(0xD800 + ((character.codePoint - 0x10000) >> 10));
      appendUnit(0xDC00 + ((character.codePoint - 0x10000) & 0x3FF));
    } else {
      appendUnit(character.codePoint);
    }
  }
  return bytes;
}

}  // namespace

DecodedProfile DecodeProfile(std::string fileBytes) {
  DecodedProfile decoded;
  if (!IsUtf16LeSignature(fileBytes)) {
    decoded.text = std::move(fileBytes);
    return decoded;
  }
  decoded.form = FileForm::kUtf16Le;
  if (fileBytes.size() % 2 != 0) {
    decoded.strayTrailingByte = fileBytes.back();
    fileBytes.pop_back();
  }
  decoded.text = Utf16LeToText(fileBytes);
  decoded.linesBegin = 3;  // U+FEFF in UTF-8
  return decoded;
}

std::string EncodeProfile(const DecodedProfile& original, std::string text) {
  if (original.form == FileForm::kCodePage) {
    return text;
  }
  std::string bytes = TextToUtf16Le(text);
  if (original.strayTrailingByte) {
    bytes.push_back(*original.strayTrailingByte);
  }
  return bytes;
}

std::string AsCodePageText(std::string_view text, FileForm form) {
  if (form == FileForm::kCodePage) {
    return std::string(text);
  }
  std::string converted;
  converted.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const DecodedCharacter character = DecodeUtf8At(text, at, /*allowSurrogates=*/false);
    if (character.wellFormed) {
      converted.append(text.substr(at, character.length));
    } else {
      AppendUtf8(converted, kReplacementCharacter);
    }
    at += character.length;
  }
  return converted;
}

}  // namespace rt::profile

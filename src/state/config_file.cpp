#include "state/config_file.h"

#include <array>
#include <cstdio>
#include <string>

#include "runtime/profile.h"
#include "state/app_state.h"
#include "state/text_to_integer.h"

namespace {

// The section and key names are GBK bytes on every platform, so one file serves every build.
constexpr std::string_view kSection = "\xC5\xE4\xD6\xC3";                        // 配置
constexpr std::string_view kSaveFolderKey = "\xB1\xA3\xB4\xE6\xC4\xBF\xC2\xBC";  // 保存目录
constexpr std::string_view kFormatCodeKey = "\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD";  // 转换格式

constexpr std::int32_t kDefaultFormatCode = 3;  // GIF

// A value arrives cut to the first 10239 bytes of what the file holds.
constexpr std::size_t kValueBufferSize = 10240;

std::string ReadValue(std::string_view key) {
  std::array<char, kValueBufferSize> buffer{};
  rt::ReadProfileValue(kSection, key, "", buffer, ConfigFilePath());
  return std::string(buffer.data());  // texts end at their zero byte
}

}  // namespace

std::string ConfigFilePath() {
  return AppState.runFolder + "config.ini";
}

void OnMainWindowCreated() {
  std::string saveFolder = ReadValue(kSaveFolderKey);
  AppState.saveFolder.swap(saveFolder);

  AppState.formatCode = TextToInteger(ReadValue(kFormatCodeKey));
  if (AppState.formatCode <= 0) {
    AppState.formatCode = kDefaultFormatCode;
  }
}

void StoreSaveFolder(std::string_view folder) {
  rt::WriteProfileValue(kSection, kSaveFolderKey, folder, ConfigFilePath());
}

void StoreFormatCode(double code) {
  std::array<char, 32> text{};
  const int length = std::snprintf(text.data(), text.size(), "%.13g", code);
  if (length <= 0 || static_cast<std::size_t>(length) >= text.size()) {
    return;
  }
  rt::WriteProfileValue(kSection, kFormatCodeKey,
                        std::string_view(text.data(), static_cast<std::size_t>(length)),
                        ConfigFilePath());
}

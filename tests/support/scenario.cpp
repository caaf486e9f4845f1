#include "support/scenario.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <utility>

#include "runtime/controls.h"
#include "support/pictures.h"
#include "ui/main_window.h"

namespace testing_support {
namespace {

// "配置", "保存目录" and "转换格式" in GBK.
const std::string kSection = "\xC5\xE4\xD6\xC3";
const std::string kSaveFolderKey = "\xB1\xA3\xB4\xE6\xC4\xBF\xC2\xBC";
const std::string kFormatCodeKey = "\xD7\xAA\xBB\xBB\xB8\xF1\xCA\xBD";

std::string ValueOf(const std::string& file, const std::string& key) {
  const std::string line = "\r\n" + key + "=";
  const std::size_t at = file.find(line);
  if (at == std::string::npos) {
    return "(none)";
  }
  const std::size_t start = at + line.size();
  return file.substr(start, file.find("\r\n", start) - start);
}

}  // namespace

std::string ScenarioTest::Folder(std::string_view name) const {
  const std::string path = work.File(name);
  if (::mkdir(path.c_str(), 0755) != 0) {
    throw std::runtime_error("cannot make " + path);
  }
  return path;
}

std::string ScenarioTest::Picture(const std::string& folder, std::string_view name,
                                  std::uint32_t width, std::uint8_t seed) const {
  const std::string path = folder + "/" + std::string(name);
  const rt::Bytes bmp = MakeBmp24(width, 3, seed);
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bmp.data()), bmp.size()));
  return path;
}

void ScenarioTest::StoreSettings(const std::string& saveFolder, int formatCode) const {
  WriteWholeFile(ConfigPath(), "[" + kSection + "]\r\n" + kSaveFolderKey + "=" + saveFolder +
                                   "\r\n" + kFormatCodeKey + "=" + std::to_string(formatCode) +
                                   "\r\n");
}

std::vector<std::string> ScenarioTest::FileNames(const std::string& folder) const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string ScenarioTest::StoredSaveFolder() const {
  return ValueOf(ReadWholeFile(ConfigPath()), kSaveFolderKey);
}

std::string ScenarioTest::StoredFormatCode() const {
  return ValueOf(ReadWholeFile(ConfigPath()), kFormatCodeKey);
}

void ScenarioTest::AddThroughFileDialog(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    script.Click(工具条1, toolbar::kAddPicture).ChooseFile(path);
  }
}

void ScenarioTest::LookAtList() {
  script.Look([this] {
    ListSnapshot seen;
    for (int position = 0; position < rt::ListCount(列表框1); ++position) {
      seen.entries.push_back(rt::ListText(列表框1, position));
    }
    seen.selection = rt::ListSelection(列表框1);
    listSeen.push_back(std::move(seen));
  });
}

int ScenarioTest::Run() {
  rt::person::Setup setup = SetupInProgramFolder();
  script.Close(MainWindow);  // ignored when the script closed it already
  setup.script = script;
  return RunProgram(std::move(setup));
}

}  // namespace testing_support

// A whole program run with real files: pictures to list, folders to save into, the
// configuration file, and a script for the person at the screen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/person/person.h"
#include "support/program_test.h"
#include "support/temp_folder.h"

namespace testing_support {

struct ListSnapshot {
  std::vector<std::string> entries;
  int selection = -1;
  friend bool operator==(const ListSnapshot&, const ListSnapshot&) = default;
};

class ScenarioTest : public ProgramTest {
 protected:
  // A new folder below this test's work folder.
  std::string Folder(std::string_view name) const;
  // A BMP picture of `width` x 3 pixels in `folder`, returning its path.
  std::string Picture(const std::string& folder, std::string_view name, std::uint32_t width,
                      std::uint8_t seed = 0) const;
  // A configuration file as a stored save folder and format code leave it.
  void StoreSettings(const std::string& saveFolder, int formatCode) const;
  // The names in `folder`, sorted.
  std::vector<std::string> FileNames(const std::string& folder) const;
  // The value of a key of the configuration file, or "(none)".
  std::string StoredSaveFolder() const;
  std::string StoredFormatCode() const;

  // Adds the pictures through the file dialog, one click on "添加图片" each.
  void AddThroughFileDialog(const std::vector<std::string>& paths);
  // Makes the script look at the picture list once the program waits for the person.
  void LookAtList();

  // Runs the program with the script; ends with the main window closed unless the script
  // closed it already.
  int Run();

  rt::person::Script script;
  std::vector<ListSnapshot> listSeen;
  TempFolder work;
};

}  // namespace testing_support

// The main window: the picture list, the toolbar and the file dialog.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "runtime/window_description.h"
#include "state/config_file.h"
#include "ui/control_named.h"
#include "ui/picture_list_commands.h"
#include "ui/run_conversion.h"
#include "ui/settings_window.h"
#include "ui/shell_run.h"

// Runs the command of the toolbar entry at `index` (separators counted) and returns when the
// command is done; an index without a command does nothing.
void OnToolbarClick(int index);

namespace toolbar {

// The pictures of the strip "toolbar-strip" (resources/icons), 32 x 32 each, from the left.
enum class Picture {
  AddPicture,
  RemovePicture,
  SaveFolder,
  ImportFolder,
  Settings,
  HomePage,
  StartConversion,
  ClearPictures,
};

struct Entry {
  bool separator = false;
  std::string_view caption;  // UTF-8, shown below the picture
  Picture picture{};
  rt::Handler command = nullptr;
};

// The toolbar from left to right: what it shows, and what a click on each button runs. A click
// reports an entry's index in this table, separators counted.
inline constexpr std::array<Entry, 11> kEntries{{
    {.separator = true},
    {.caption = "添加图片", .picture = Picture::AddPicture, .command = AddPicture},
    {.caption = "导入图片", .picture = Picture::ImportFolder, .command = ImportFolder},
    {.caption = "删除图片", .picture = Picture::RemovePicture, .command = RemovePicture},
    {.caption = "清空图片", .picture = Picture::ClearPictures, .command = ClearPictures},
    {.separator = true},
    {.caption = "开始转换", .picture = Picture::StartConversion, .command = RunConversion},
    {.caption = "转换设置", .picture = Picture::Settings, .command = OpenSettings},
    {.caption = "保存目录", .picture = Picture::SaveFolder, .command = ChooseSaveFolder},
    {.separator = true},
    {.caption = "作者主页", .picture = Picture::HomePage, .command = OpenHomePage},
}};

// Never defined: a lookup that reaches it stops the build.
void NoSingleButtonWithThatCaption();

// The index of the button shown with `caption`; a caption on no button, or on two, does not
// compile.
consteval int IndexOf(std::string_view caption) {
  int found = -1;
  for (std::size_t index = 0; index < kEntries.size(); ++index) {
    if (kEntries[index].separator || kEntries[index].caption != caption) {
      continue;
    }
    if (found >= 0) {
      NoSingleButtonWithThatCaption();
    }
    found = static_cast<int>(index);
  }
  if (found < 0) {
    NoSingleButtonWithThatCaption();
  }
  return found;
}

// The buttons' indexes as clicks report them, separators counted.
inline constexpr int kAddPicture = IndexOf("添加图片");
inline constexpr int kImportFolder = IndexOf("导入图片");
inline constexpr int kRemovePicture = IndexOf("删除图片");
inline constexpr int kClearPictures = IndexOf("清空图片");
inline constexpr int kStartConversion = IndexOf("开始转换");
inline constexpr int kSettings = IndexOf("转换设置");
inline constexpr int kSaveFolder = IndexOf("保存目录");
inline constexpr int kHomePage = IndexOf("作者主页");

// Each button shows a picture of its own.
static_assert([] {
  for (std::size_t first = 0; first < kEntries.size(); ++first) {
    for (std::size_t second = first + 1; second < kEntries.size(); ++second) {
      if (!kEntries[first].separator && !kEntries[second].separator &&
          kEntries[first].picture == kEntries[second].picture) {
        return false;
      }
    }
  }
  return true;
}());

// What the runtime shows: the same entries, each button with its picture's place in the strip.
constexpr std::array<rt::ToolbarEntry, kEntries.size()> RuntimeEntries() {
  std::array<rt::ToolbarEntry, kEntries.size()> shown{};
  for (std::size_t index = 0; index < kEntries.size(); ++index) {
    const Entry& entry = kEntries[index];
    shown[index] = entry.separator ? rt::ToolbarEntry{.separator = true}
                                   : rt::ToolbarEntry{.caption = entry.caption,
                                                      .picture = static_cast<int>(entry.picture)};
  }
  return shown;
}
inline constexpr std::array<rt::ToolbarEntry, kEntries.size()> kRuntimeEntries = RuntimeEntries();

}  // namespace toolbar

namespace main_window {

inline constexpr std::array<rt::ControlDescription, 3> kControls{{
    {.name = "列表框1",
     .kind = rt::ControlKind::ListBox,
     .place = {0, 56},
     .size = {472, 240},
     .tabStop = true,
     .background = rt::Colour::White,
     .text = rt::Colour::Black,
     .extraRowHeight = 1},
    // Never visible; it only serves the add command.
    {.name = "通用对话框1",
     .kind = rt::ControlKind::FileDialog,
     .place = {464, 0},
     .size = {26, 26},
     .visible = false,
     .fileTypeCaption = "所有文件"},
    // Its designed size is replaced at run time: it spans the window's top edge.
    {.name = "工具条1",
     .kind = rt::ControlKind::Toolbar,
     .place = {0, 0},
     .size = {450, 28},
     .toolbarEntries = toolbar::kRuntimeEntries,
     .pictureStrip = "toolbar-strip",
     .onToolbarClick = OnToolbarClick},
}};

}  // namespace main_window

inline constexpr rt::WindowDescription MainWindow{
    .name = "MainWindow",
    .title = "墨岚图片格式批量转换器",
    .outerSize = {478, 324},
    .storedPlace = {50, 50},
    .captionButtons = rt::CaptionButtons::CloseAndMinimize,
    .fixedFrame = true,
    .escCloses = true,
    .taskbarButton = true,
    .background = rt::Colour::ButtonFace,
    .font = rt::SystemFont::DefaultGui,
    .icon = "picbatch",
    .onCreated = OnMainWindowCreated,
    .controls = main_window::kControls,
};

inline constexpr rt::ControlRef 列表框1 =
    ControlNamed(MainWindow, "列表框1", rt::ControlKind::ListBox);
inline constexpr rt::ControlRef 通用对话框1 =
    ControlNamed(MainWindow, "通用对话框1", rt::ControlKind::FileDialog);
inline constexpr rt::ControlRef 工具条1 =
    ControlNamed(MainWindow, "工具条1", rt::ControlKind::Toolbar);

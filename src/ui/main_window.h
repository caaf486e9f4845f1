// The main window: the picture list, the toolbar and the file dialog.
#pragma once

#include "runtime/window_description.h"

extern const rt::WindowDescription MainWindow;

// Its controls, in the order its description creates them.
inline constexpr rt::ControlRef 列表框1{&MainWindow, 0};
inline constexpr rt::ControlRef 通用对话框1{&MainWindow, 1};
inline constexpr rt::ControlRef 工具条1{&MainWindow, 2};

// The indexes of the toolbar's buttons, separators (0, 5 and 9) counted, as clicks report them.
namespace toolbar {
inline constexpr int kAddPicture = 1;
inline constexpr int kImportFolder = 2;
inline constexpr int kRemovePicture = 3;
inline constexpr int kClearPictures = 4;
inline constexpr int kStartConversion = 6;
inline constexpr int kSettings = 7;
inline constexpr int kSaveFolder = 8;
inline constexpr int kHomePage = 10;
}  // namespace toolbar

// Runs the command of the toolbar entry at `index` (separators counted) and returns when the
// command is done; an index without a command does nothing.
void OnToolbarClick(int index);

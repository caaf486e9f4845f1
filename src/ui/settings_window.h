// The settings window, where the output format is picked. A pick is the whole commit: it takes
// effect and is stored at once; closing the window changes nothing.
#pragma once

#include "runtime/window_description.h"

extern const rt::WindowDescription SettingsWindow;

inline constexpr rt::ControlRef 组合框1{&SettingsWindow, 0};
inline constexpr rt::ControlRef 标签1{&SettingsWindow, 1};

void OpenSettings();
void OnSettingsWindowCreated();
void OnFormatSelected();

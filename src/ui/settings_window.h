// The settings window, where the output format is picked. A pick is the whole commit: it takes
// effect and is stored at once; closing the window changes nothing.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "runtime/window_description.h"
#include "transcode/output_format.h"
#include "ui/control_named.h"

void OpenSettings();
void OnSettingsWindowCreated();
void OnFormatSelected();

namespace settings_window {

// The drop-down's items are the format table's texts, in the table's order.
constexpr std::array<std::string_view, OutputFormat.size()> FormatItems() {
  std::array<std::string_view, OutputFormat.size()> items{};
  for (std::size_t row = 0; row < OutputFormat.size(); ++row) {
    items[row] = OutputFormat[row].dropDownText;
  }
  return items;
}
inline constexpr std::array<std::string_view, OutputFormat.size()> kFormatItems = FormatItems();

inline constexpr std::array<rt::ControlDescription, 2> kControls{{
    // Dropped down it is tall enough to show all five items at once.
    {.name = "组合框1",
     .kind = rt::ControlKind::DropDown,
     .place = {88, 8},
     .size = {56, 20},
     .tabStop = true,
     .background = rt::Colour::White,
     .text = rt::Colour::Black,
     .extraRowHeight = 1,
     .items = kFormatItems,
     .initialSelection = 2,
     .droppedHeight = 160,
     .onItemPicked = OnFormatSelected},
    {.name = "标签1",
     .kind = rt::ControlKind::Label,
     .place = {8, 8},
     .size = {80, 20},
     .background = rt::Colour::Inherited,
     .text = rt::Colour::Black,
     .caption = "图片转换格式:"},
}};

}  // namespace settings_window

inline constexpr rt::WindowDescription SettingsWindow{
    .name = "SettingsWindow",
    .title = "转换设置",
    .outerSize = {160, 63},
    .storedPlace = {50, 50},
    .captionButtons = rt::CaptionButtons::CloseOnly,
    .fixedFrame = true,
    .escCloses = true,
    .taskbarButton = false,
    .background = rt::Colour::ButtonFace,
    .font = rt::SystemFont::DefaultGui,
    .onCreated = OnSettingsWindowCreated,
    .controls = settings_window::kControls,
};

inline constexpr rt::ControlRef 组合框1 =
    ControlNamed(SettingsWindow, "组合框1", rt::ControlKind::DropDown);
inline constexpr rt::ControlRef 标签1 =
    ControlNamed(SettingsWindow, "标签1", rt::ControlKind::Label);

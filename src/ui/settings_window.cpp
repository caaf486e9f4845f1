#include "ui/settings_window.h"

#include <array>
#include <string_view>

#include "runtime/controls.h"
#include "runtime/gui.h"
#include "state/app_state.h"
#include "state/config_file.h"
#include "transcode/output_format.h"

namespace {

constexpr std::array<std::string_view, OutputFormat.size()> kFormatItems = [] {
  std::array<std::string_view, OutputFormat.size()> items{};
  for (std::size_t row = 0; row < OutputFormat.size(); ++row) {
    items[row] = OutputFormat[row].dropDownText;
  }
  return items;
}();

constexpr std::array<rt::ControlDescription, 2> kControls{{
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

}  // namespace

const rt::WindowDescription SettingsWindow{
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
    .controls = kControls,
};

void OpenSettings() {
  rt::LoadWindowModal(SettingsWindow);
}

void OnSettingsWindowCreated() {
  // A code above the table shows as its last item; the code itself stays as it is.
  rt::DropDownSetSelection(组合框1, DropDownPositionOfCode(AppState.formatCode));
}

void OnFormatSelected() {
  const std::int32_t code = CodeOfDropDownPosition(rt::DropDownSelection(组合框1));
  AppState.formatCode = code;
  StoreFormatCode(code);
}

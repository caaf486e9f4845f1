// Windows are data: a backend builds a window and its controls from one of these
// descriptions, and calls the handlers it names. Nothing about a window's layout is written
// in a backend.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace rt {

using Handler = void (*)();
using ToolbarClickHandler = void (*)(int index);

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
  int left = 0;
  int top = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

enum class CaptionButtons { CloseOnly, CloseAndMinimize };

enum class ControlKind { ListBox, DropDown, Label, Toolbar, FileDialog };

// Colours and fonts as the system names them; each backend maps them to its own.
enum class Colour {
  Inherited,   // whatever the window around the control shows
  ButtonFace,  // the background of buttons and dialogs, which the themed look may tint
  White,
  Black,
};
enum class SystemFont { DefaultGui };

struct ToolbarEntry {
  bool separator = false;
  std::string_view caption;  // UTF-8, shown below the picture
  int picture = -1;          // index into the toolbar's picture strip
};

// One control of a window. Which fields matter depends on the kind.
struct ControlDescription {
  std::string_view name;  // e.g. "列表框1"
  ControlKind kind = ControlKind::Label;
  Point place;  // client coordinates
  Size size;
  bool visible = true;
  bool tabStop = false;
  Colour background = Colour::Inherited;  // of the control's face (a list's rows, a label)
  Colour text = Colour::Black;
  int extraRowHeight = 0;                   // ListBox, DropDown: rows this much higher than usual
  std::string_view caption;                 // Label: its text
  std::span<const std::string_view> items;  // DropDown: the items, in order
  int initialSelection = -1;                // DropDown
  int droppedHeight = 0;                    // DropDown: the height with its list dropped down
  Handler onItemPicked = nullptr;           // DropDown: the user picked an item
  std::span<const ToolbarEntry> toolbarEntries;  // Toolbar
  std::string_view pictureStrip;                 // Toolbar: 32 x 32 pictures side by side, by name
  ToolbarClickHandler onToolbarClick = nullptr;  // Toolbar: index counts separators
  std::string_view fileTypeCaption;  // FileDialog: its one file type, listing every file
};

struct WindowDescription {
  std::string_view name;   // the window's name in the program, e.g. "MainWindow"
  std::string_view title;  // UTF-8 caption
  Size outerSize;          // frame and caption included
  Point storedPlace;       // kept in the description but unused: windows open centred
  CaptionButtons captionButtons = CaptionButtons::CloseOnly;
  bool fixedFrame = true;     // the user cannot resize the window
  bool escCloses = true;      // Esc closes the window whichever control has the focus
  bool taskbarButton = true;  // false for windows owned by the runtime's hidden window
  Colour background = Colour::ButtonFace;
  SystemFont font = SystemFont::DefaultGui;  // for the window and all its controls
  std::string_view icon;                     // the window's icon, by name; none when empty
  Handler onCreated = nullptr;  // runs after the controls exist and before the first show
  std::span<const ControlDescription> controls;  // created in this order
};

// A control of a window, by its place in the window's description. It names the control of
// the window that exists now, if any: every operation on a control of a window that is gone
// does nothing and gives an empty result.
struct ControlRef {
  const WindowDescription* window = nullptr;
  std::size_t index = 0;
};

// The place that centres a window of `outer` size on a screen of `screen` size; each quotient
// is rounded toward zero, so a window larger than the screen gets a negative coordinate.
constexpr Point CentredPlace(Size screen, Size outer) {
  return {(screen.width - outer.width) / 2, (screen.height - outer.height) / 2};
}

// The client area inside a fixed frame and a caption: 3 pixels of frame on each side and 22
// of caption above, so that the controls' places fill the client area as designed.
constexpr Size ClientSizeOf(Size outer) {
  return {outer.width - 6, outer.height - 28};
}

}  // namespace rt

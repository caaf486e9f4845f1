#include "ui/main_window.h"

#include <array>

#include "state/config_file.h"

namespace {

// Pictures of the toolbar's strip: 0 add, 1 remove, 2 save folder, 3 import, 4 settings,
// 5 home page, 6 start, 7 clear.
constexpr std::array<rt::ToolbarEntry, 11> kToolbarEntries{{
    {.separator = true},
    {.caption = "添加图片", .picture = 0},
    {.caption = "导入图片", .picture = 3},
    {.caption = "删除图片", .picture = 1},
    {.caption = "清空图片", .picture = 7},
    {.separator = true},
    {.caption = "开始转换", .picture = 6},
    {.caption = "转换设置", .picture = 4},
    {.caption = "保存目录", .picture = 2},
    {.separator = true},
    {.caption = "作者主页", .picture = 5},
}};

constexpr std::array<rt::ControlDescription, 3> kControls{{
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
     .toolbarEntries = kToolbarEntries,
     .pictureStrip = "toolbar-strip",
     .onToolbarClick = OnToolbarClick},
}};

}  // namespace

const rt::WindowDescription MainWindow{
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
    .controls = kControls,
};

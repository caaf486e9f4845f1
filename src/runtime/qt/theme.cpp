#include "runtime/qt/theme.h"

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace rt::qtbackend {
namespace {

struct Scheme {
  QColor face;       // window and button background
  QColor highlight;  // selected items
  QColor shadow;     // frames
};

// Button faces, selections and frames of the three schemes.
const Scheme kSchemes[] = {
    {QColor(0xEC, 0xE9, 0xD8), QColor(0x31, 0x6A, 0xC5), QColor(0x7F, 0x9D, 0xB9)},  // blue
    {QColor(0xEC, 0xE9, 0xD8), QColor(0x93, 0xA0, 0x70), QColor(0xA4, 0xB9, 0x7F)},  // olive
    {QColor(0xE0, 0xDF, 0xE3), QColor(0x6F, 0x74, 0x8D), QColor(0xA5, 0xAC, 0xB5)},  // silver
};

}  // namespace

bool ApplyTheme(int scheme) {
  QStyle* const fusion = QStyleFactory::create("Fusion");
  if (fusion == nullptr) {
    return false;
  }
  QApplication::setStyle(fusion);  // the application takes the style over
  QPalette palette = fusion->standardPalette();
  if (scheme >= 1 && scheme <= 3) {
    const Scheme& colours = kSchemes[scheme - 1];
    palette.setColor(QPalette::Window, colours.face);
    palette.setColor(QPalette::Button, colours.face);
    palette.setColor(QPalette::Highlight, colours.highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Mid, colours.shadow);
    palette.setColor(QPalette::Dark, colours.shadow.darker(130));
  }
  QApplication::setPalette(palette);
  return true;
}

}  // namespace rt::qtbackend

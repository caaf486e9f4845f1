#include "runtime/qt/toolbar_widget.h"

#include <QFrame>
#include <QPixmap>
#include <QToolButton>
#include <algorithm>
#include <string>

#include "runtime/core/user_input.h"
#include "runtime/qt/flow_layout.h"
#include "runtime/qt/state.h"

namespace rt::qtbackend {
namespace {

constexpr int kPictureSize = 32;
constexpr int kButtonMargin = 7;

QIcon PictureOf(const QPixmap& strip, int picture) {
  if (picture < 0 || (picture + 1) * kPictureSize > strip.width()) {
    return {};
  }
  return QIcon(strip.copy(picture * kPictureSize, 0, kPictureSize, kPictureSize));
}

}  // namespace

ToolbarWidget::ToolbarWidget(ControlRef control, const ControlDescription& description,
                             QWidget* parent)
    : QWidget(parent) {
  auto* const layout = MakeChild<FlowLayout>(this);
  layout->setContentsMargins(0, 1, 0, 1);
  // The picture, the caption's line and a narrow margin: the list below starts at 56.
  const int buttonHeight = kPictureSize + fontMetrics().height() + kButtonMargin - 3;
  const QPixmap strip(":/pictures/" + ToQString(description.pictureStrip) + ".png");
  int index = 0;
  for (const ToolbarEntry& entry : description.toolbarEntries) {
    if (entry.separator) {
      auto* const line = MakeChild<QFrame>(this);
      line->setFrameShape(QFrame::VLine);
      line->setFrameShadow(QFrame::Sunken);
      line->setFixedSize(8, buttonHeight);
      layout->addWidget(line);
      buttons_.push_back(nullptr);
    } else {
      auto* const button = MakeChild<QToolButton>(this);
      button->setText(ToQString(entry.caption));
      button->setIcon(PictureOf(strip, entry.picture));
      button->setIconSize(QSize(kPictureSize, kPictureSize));
      button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
      button->setAutoRaise(true);
      button->setFocusPolicy(Qt::NoFocus);
      button->setToolTip(QString());
      // Narrow margins, as a desktop toolbar has: all eleven entries fit one row.
      const int textWidth = button->fontMetrics().horizontalAdvance(button->text());
      button->setFixedSize(std::max(textWidth, kPictureSize) + kButtonMargin, buttonHeight);
      connect(button, &QToolButton::clicked, this,
              [control, index] { core::ToolbarClicked(control, index); });
      layout->addWidget(button);
      buttons_.push_back(button);
    }
    ++index;
  }
}

QAbstractButton* ToolbarWidget::Button(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= buttons_.size()) {
    return nullptr;
  }
  return buttons_[static_cast<std::size_t>(index)];
}

}  // namespace rt::qtbackend

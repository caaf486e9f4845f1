#include "runtime/qt/flow_layout.h"

#include <QWidget>
#include <algorithm>
#include <memory>

namespace rt::qtbackend {

FlowLayout::~FlowLayout() {
  // The layout owns its items.
  while (QLayoutItem* item = takeAt(0)) {
    std::unique_ptr<QLayoutItem> owned(item);
  }
}

QLayoutItem* FlowLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

QSize FlowLayout::minimumSize() const {
  QSize size;
  for (const QLayoutItem* item : items_) {
    size = size.expandedTo(item->minimumSize());
  }
  const QMargins margins = contentsMargins();
  return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

void FlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  Arrange(rect, true);
}

int FlowLayout::Arrange(const QRect& rect, bool apply) const {
  const QRect area = rect.marginsRemoved(contentsMargins());
  int x = area.x();
  int y = area.y();
  int rowHeight = 0;
  for (QLayoutItem* item : items_) {
    const QSize hint = item->sizeHint();
    if (x + hint.width() > area.right() + 1 && rowHeight > 0) {
      x = area.x();
      y += rowHeight;
      rowHeight = 0;
    }
    if (apply) {
      item->setGeometry(QRect(QPoint(x, y), hint));
    }
    x += hint.width();
    rowHeight = std::max(rowHeight, hint.height());
  }
  const QMargins margins = contentsMargins();
  return y + rowHeight - rect.y() + margins.bottom();
}

}  // namespace rt::qtbackend

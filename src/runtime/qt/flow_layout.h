// Lays its items out left to right and goes on in a new row when the width runs out, as a
// toolbar that wraps does.
#pragma once

#include <QLayout>
#include <QList>

namespace rt::qtbackend {

class FlowLayout : public QLayout {
 public:
  explicit FlowLayout(QWidget* parent) : QLayout(parent) {}
  ~FlowLayout() override;
  FlowLayout(const FlowLayout&) = delete;
  FlowLayout& operator=(const FlowLayout&) = delete;

  void addItem(QLayoutItem* item) override { items_.append(item); }
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int index) const override { return items_.value(index); }
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override { return Arrange(QRect(0, 0, width, 0), false); }
  QSize sizeHint() const override { return minimumSize(); }
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  // Places the items within `rect` (when `apply`), returning the height they take.
  int Arrange(const QRect& rect, bool apply) const;

  QList<QLayoutItem*> items_;
};

}  // namespace rt::qtbackend

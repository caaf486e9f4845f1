// The toolbar: flat buttons with their picture above the caption, separators between groups,
// wrapping into a further row when the window is narrow. It reports clicks by the entry's index,
// separators counted.
#pragma once

#include <QWidget>
#include <span>
#include <vector>

#include "runtime/window_description.h"

class QAbstractButton;

namespace rt::qtbackend {

class ToolbarWidget : public QWidget {
  Q_OBJECT

 public:
  // `control` names the toolbar to the core when a button is clicked.
  ToolbarWidget(ControlRef control, const ControlDescription& description, QWidget* parent);

  // The button of entry `index`, or null for a separator or an index outside the toolbar.
  QAbstractButton* Button(int index) const;

 private:
  std::vector<QAbstractButton*> buttons_;  // by entry index; null for separators
};

}  // namespace rt::qtbackend

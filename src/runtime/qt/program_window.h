// A top-level window of the program, built from its description.
#pragma once

#include <QWidget>

#include "runtime/window_description.h"

namespace rt::qtbackend {

class ProgramWindow : public QWidget {
 public:
  explicit ProgramWindow(const WindowDescription& description);

 protected:
  // The close button, the system menu, Alt+F4 and Esc all end here; a disabled window, one that
  // a modal window or dialog stands over, stays.
  void closeEvent(QCloseEvent* event) override;

 private:
  const WindowDescription& description_;
};

}  // namespace rt::qtbackend

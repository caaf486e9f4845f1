// The user at a real screen plays themself: the seam hands everything to the backend and keeps
// no journal.
#include "runtime/core/backend.h"
#include "runtime/core/seam.h"

namespace rt::seam {

void RunBegins() {}

void Record(const Event& /*event*/) {}

std::string ProgramPath() {
  return {};
}

bool DescriptionsReady() {
  return true;  // they are compiled in
}

Size Screen() {
  return backend::ScreenSize();
}

bool WindowCanBeCreated(std::string_view /*name*/) {
  return true;
}

void ProgramWaits(int /*wait*/) {}

void MessageStep() {}

void ShowFatalReport(std::string_view fault) {
  backend::ShowFatalReport(fault);
}

}  // namespace rt::seam

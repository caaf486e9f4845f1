// The scripted person at the runtime core's seam: the setup stands in for the machine, and the
// script acts whenever the program waits or lets messages run.
#include "runtime/core/seam.h"

#include "runtime/person/acting.h"
#include "runtime/person/performance.h"

namespace rt::seam {

void RunBegins() {
  person::BeginRun();
}

void Record(const Event& event) {
  person::Write(event);
}

std::string ProgramPath() {
  return person::CurrentSetup().executablePath;
}

bool DescriptionsReady() {
  return person::CurrentSetup().descriptionsReady;
}

Size Screen() {
  return person::CurrentSetup().screen;  // the person's screen, whatever the platform reports
}

bool WindowCanBeCreated(std::string_view name) {
  return !person::CurrentSetup().windowsThatCannotBeCreated.contains(name);
}

void ProgramWaits(int wait) {
  person::ActWhenIdle(wait);
}

void MessageStep() {
  person::ActInMessageStep();
}

void ShowFatalReport(std::string_view /*fault*/) {
  // The journal holds the report; nobody would be there to close a box.
}

}  // namespace rt::seam

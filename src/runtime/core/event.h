// What the runtime did, as typed events: each step of a run is one Event, and Describe is the one
// place that turns an event into a line of text. A test compares events, so a misspelt kind fails
// to compile instead of failing to match.
#pragma once

#include <string>
#include <string_view>

#include "runtime/window_description.h"

namespace rt {

enum class EventKind {
  Theme,                // number: the scheme switched on, 0 for off
  CannotCreate,         // text: the window's name
  Create,               // text: the window's name; place: where it opens
  Show,                 // text: the window's name
  Destroy,              // text: the window's name
  PostQuit,             // number: the exit code
  LoopEntered,          //
  LoopEnded,            //
  ExitRoutineRuns,      //
  Fatal,                // text: the fault
  Click,                // number: the toolbar entry
  IgnoredClick,         // number: the toolbar entry
  Pick,                 // number: the drop-down item
  IgnoredPick,          // number: the drop-down item
  Select,               // number: the list row
  IgnoredSelect,        // number: the list row
  IgnoredClose,         // text: the window's name
  FileDialogAt,         // text: the file name it opens with
  FileDialogCancelled,  //
  FileDialogChose,      // text: the chosen file
  FolderChooser,        // text: the prompt
  FolderChooserGave,    // text: the chosen folder, empty when cancelled
  Message,              // title: the box's title; text: what it says
  Shell,                // title: the operation; text: the target
  ScriptProblem,        // text: how the script did not fit the run
  Note,                 // text: a line of the test's own
};

struct Event {
  EventKind kind = EventKind::Note;
  std::string text;
  std::string title;
  int number = 0;
  Point place;
  friend bool operator==(const Event&, const Event&) = default;
};

// The event as one line, for example "create MainWindow at 273,222" or "click 6".
std::string Describe(const Event& event);

// One maker per kind, named after it.
namespace event {

Event Theme(int scheme);
Event CannotCreate(std::string_view window);
Event Create(std::string_view window, Point place);
Event Show(std::string_view window);
Event Destroy(std::string_view window);
Event PostQuit(int exitCode);
Event LoopEntered();
Event LoopEnded();
Event ExitRoutineRuns();
Event Fatal(std::string_view fault);
Event Click(int entry);
Event IgnoredClick(int entry);
Event Pick(int item);
Event IgnoredPick(int item);
Event Select(int row);
Event IgnoredSelect(int row);
Event IgnoredClose(std::string_view window);
Event FileDialogAt(std::string_view fileName);
Event FileDialogCancelled();
Event FileDialogChose(std::string_view fileName);
Event FolderChooser(std::string_view prompt);
Event FolderChooserGave(std::string_view folder);
Event Message(std::string_view title, std::string_view text);
Event Shell(std::string_view operation, std::string_view target);
Event ScriptProblem(std::string_view problem);
Event Note(std::string_view line);

}  // namespace event
}  // namespace rt

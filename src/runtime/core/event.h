// What the runtime did, as typed events: each step of a run is one Event, and Describe is the one
// place that turns an event into a line of text. A test compares events, so a misspelt kind fails
// to compile instead of failing to match.
#pragma once

#include <string>
#include <string_view>

#include "runtime/window_description.h"

namespace rt {

// Every kind of step, once: its name, what it carries, and the words its line starts with.
// What a step carries:
//   Nothing; Number (an entry, item, row, scheme or exit code); Text (a window's name, a path, a
//   prompt, a fault); Quoted (Text, shown in quotes); Placed (a window's name and where it
//   opens); TitledText (a message box's title and text); Operation (the shell's operation and
//   its target).
#define PICBATCH_EVENT_KINDS(X)                            \
  X(Theme, Number, "theme ")                               \
  X(CannotCreate, Text, "cannot create ")                  \
  X(Create, Placed, "create ")                             \
  X(Show, Text, "show ")                                   \
  X(Destroy, Text, "destroy ")                             \
  X(PostQuit, Number, "post quit ")                        \
  X(LoopEntered, Nothing, "loop entered")                  \
  X(LoopEnded, Nothing, "loop ended")                      \
  X(ExitRoutineRuns, Nothing, "exit routine")              \
  X(Fatal, Text, "fatal: ")                                \
  X(Click, Number, "click ")                               \
  X(IgnoredClick, Number, "ignored click ")                \
  X(Pick, Number, "pick ")                                 \
  X(IgnoredPick, Number, "ignored pick ")                  \
  X(Select, Number, "select ")                             \
  X(IgnoredSelect, Number, "ignored select ")              \
  X(IgnoredClose, Text, "ignored close ")                  \
  X(FileDialogAt, Quoted, "file dialog at ")               \
  X(FileDialogCancelled, Nothing, "file dialog cancelled") \
  X(FileDialogChose, Text, "file dialog chose ")           \
  X(FolderChooser, Text, "folder chooser ")                \
  X(FolderChooserGave, Quoted, "folder chooser gave ")     \
  X(Message, TitledText, "message ")                       \
  X(Shell, Operation, "shell ")                            \
  X(ScriptProblem, Text, "script problem: ")               \
  X(Note, Text, "")

#define PICBATCH_EVENT_KIND_NAME(name, carries, words) name,
enum class EventKind { PICBATCH_EVENT_KINDS(PICBATCH_EVENT_KIND_NAME) };
#undef PICBATCH_EVENT_KIND_NAME

struct Event {
  EventKind kind = EventKind::Note;
  std::string text;
  std::string title;  // TitledText: the title; Operation: the operation
  int number = 0;
  Point place;
  friend bool operator==(const Event&, const Event&) = default;
};

// The event as one line, for example "create MainWindow at 273,222" or "click 6".
std::string Describe(const Event& event);

// One maker per kind, named after it: event::Click(6), event::Create("MainWindow", {273, 222}).
namespace event {

#define PICBATCH_EVENT_PARAMETERS_Nothing
#define PICBATCH_EVENT_PARAMETERS_Number int number
#define PICBATCH_EVENT_PARAMETERS_Text std::string_view text
#define PICBATCH_EVENT_PARAMETERS_Quoted std::string_view text
#define PICBATCH_EVENT_PARAMETERS_Placed std::string_view text, Point place
#define PICBATCH_EVENT_PARAMETERS_TitledText std::string_view title, std::string_view text
#define PICBATCH_EVENT_PARAMETERS_Operation std::string_view title, std::string_view text
#define PICBATCH_EVENT_MAKER(name, carries, words) Event name(PICBATCH_EVENT_PARAMETERS_##carries);
PICBATCH_EVENT_KINDS(PICBATCH_EVENT_MAKER)
#undef PICBATCH_EVENT_MAKER

}  // namespace event
}  // namespace rt

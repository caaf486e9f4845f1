#include "runtime/core/event.h"

namespace rt {
namespace {

Event Plain(EventKind kind) {
  return {.kind = kind};
}

Event Numbered(EventKind kind, int number) {
  return {.kind = kind, .number = number};
}

Event Named(EventKind kind, std::string_view text) {
  return {.kind = kind, .text = std::string(text)};
}

}  // namespace

std::string Describe(const Event& event) {
  const std::string number = std::to_string(event.number);
  const std::string& text = event.text;
  switch (event.kind) {
    case EventKind::Theme:
      return "theme " + number;
    case EventKind::CannotCreate:
      return "cannot create " + text;
    case EventKind::Create:
      return "create " + text + " at " + std::to_string(event.place.left) + "," +
             std::to_string(event.place.top);
    case EventKind::Show:
      return "show " + text;
    case EventKind::Destroy:
      return "destroy " + text;
    case EventKind::PostQuit:
      return "post quit " + number;
    case EventKind::LoopEntered:
      return "loop entered";
    case EventKind::LoopEnded:
      return "loop ended";
    case EventKind::ExitRoutineRuns:
      return "exit routine";
    case EventKind::Fatal:
      return "fatal: " + text;
    case EventKind::Click:
      return "click " + number;
    case EventKind::IgnoredClick:
      return "ignored click " + number;
    case EventKind::Pick:
      return "pick " + number;
    case EventKind::IgnoredPick:
      return "ignored pick " + number;
    case EventKind::Select:
      return "select " + number;
    case EventKind::IgnoredSelect:
      return "ignored select " + number;
    case EventKind::IgnoredClose:
      return "ignored close " + text;
    case EventKind::FileDialogAt:
      return "file dialog at \"" + text + "\"";
    case EventKind::FileDialogCancelled:
      return "file dialog cancelled";
    case EventKind::FileDialogChose:
      return "file dialog chose " + text;
    case EventKind::FolderChooser:
      return "folder chooser " + text;
    case EventKind::FolderChooserGave:
      return "folder chooser gave \"" + text + "\"";
    case EventKind::Message:
      return "message " + event.title + ": " + text;
    case EventKind::Shell:
      return "shell " + event.title + " " + text;
    case EventKind::ScriptProblem:
      return "script problem: " + text;
    case EventKind::Note:
      return text;
  }
  return text;
}

namespace event {

Event Theme(int scheme) {
  return Numbered(EventKind::Theme, scheme);
}
Event CannotCreate(std::string_view window) {
  return Named(EventKind::CannotCreate, window);
}
Event Create(std::string_view window, Point place) {
  Event created = Named(EventKind::Create, window);
  created.place = place;
  return created;
}
Event Show(std::string_view window) {
  return Named(EventKind::Show, window);
}
Event Destroy(std::string_view window) {
  return Named(EventKind::Destroy, window);
}
Event PostQuit(int exitCode) {
  return Numbered(EventKind::PostQuit, exitCode);
}
Event LoopEntered() {
  return Plain(EventKind::LoopEntered);
}
Event LoopEnded() {
  return Plain(EventKind::LoopEnded);
}
Event ExitRoutineRuns() {
  return Plain(EventKind::ExitRoutineRuns);
}
Event Fatal(std::string_view fault) {
  return Named(EventKind::Fatal, fault);
}
Event Click(int entry) {
  return Numbered(EventKind::Click, entry);
}
Event IgnoredClick(int entry) {
  return Numbered(EventKind::IgnoredClick, entry);
}
Event Pick(int item) {
  return Numbered(EventKind::Pick, item);
}
Event IgnoredPick(int item) {
  return Numbered(EventKind::IgnoredPick, item);
}
Event Select(int row) {
  return Numbered(EventKind::Select, row);
}
Event IgnoredSelect(int row) {
  return Numbered(EventKind::IgnoredSelect, row);
}
Event IgnoredClose(std::string_view window) {
  return Named(EventKind::IgnoredClose, window);
}
Event FileDialogAt(std::string_view fileName) {
  return Named(EventKind::FileDialogAt, fileName);
}
Event FileDialogCancelled() {
  return Plain(EventKind::FileDialogCancelled);
}
Event FileDialogChose(std::string_view fileName) {
  return Named(EventKind::FileDialogChose, fileName);
}
Event FolderChooser(std::string_view prompt) {
  return Named(EventKind::FolderChooser, prompt);
}
Event FolderChooserGave(std::string_view folder) {
  return Named(EventKind::FolderChooserGave, folder);
}
Event Message(std::string_view title, std::string_view text) {
  Event message = Named(EventKind::Message, text);
  message.title = std::string(title);
  return message;
}
Event Shell(std::string_view operation, std::string_view target) {
  Event shell = Named(EventKind::Shell, target);
  shell.title = std::string(operation);
  return shell;
}
Event ScriptProblem(std::string_view problem) {
  return Named(EventKind::ScriptProblem, problem);
}
Event Note(std::string_view line) {
  return Named(EventKind::Note, line);
}

}  // namespace event
}  // namespace rt

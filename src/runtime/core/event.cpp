#include "runtime/core/event.h"

#include <array>

namespace rt {
namespace {

enum class Carries { Nothing, Number, Text, Quoted, Placed, TitledText, Operation };

struct KindRow {
  Carries carries;
  std::string_view words;
};

#define PICBATCH_EVENT_ROW(name, carries, words) KindRow{Carries::carries, words},
constexpr std::array kKinds{PICBATCH_EVENT_KINDS(PICBATCH_EVENT_ROW)};
#undef PICBATCH_EVENT_ROW

// What follows the words of a step's kind.
std::string Carried(const Event& event, Carries carries) {
  switch (carries) {
    case Carries::Nothing:
      return {};
    case Carries::Number:
      return std::to_string(event.number);
    case Carries::Text:
      return event.text;
    case Carries::Quoted:
      return "\"" + event.text + "\"";
    case Carries::Placed:
      return event.text + " at " + std::to_string(event.place.left) + "," +
             std::to_string(event.place.top);
    case Carries::TitledText:
      return event.title + ": " + event.text;
    case Carries::Operation:
      return event.title + " " + event.text;
  }
  return {};
}

// Builds an event of `kind` from the fields its makers take.
Event Of(EventKind kind) {
  return {.kind = kind};
}
Event Of(EventKind kind, int number) {
  return {.kind = kind, .number = number};
}
Event Of(EventKind kind, std::string_view text) {
  return {.kind = kind, .text = std::string(text)};
}
Event Of(EventKind kind, std::string_view text, Point place) {
  return {.kind = kind, .text = std::string(text), .place = place};
}
Event Of(EventKind kind, std::string_view title, std::string_view text) {
  return {.kind = kind, .text = std::string(text), .title = std::string(title)};
}

}  // namespace

std::string Describe(const Event& event) {
  const KindRow& row = kKinds.at(static_cast<std::size_t>(event.kind));
  return std::string(row.words) + Carried(event, row.carries);
}

namespace event {

#define PICBATCH_EVENT_ARGUMENTS_Nothing
#define PICBATCH_EVENT_ARGUMENTS_Number , number
#define PICBATCH_EVENT_ARGUMENTS_Text , text
#define PICBATCH_EVENT_ARGUMENTS_Quoted , text
#define PICBATCH_EVENT_ARGUMENTS_Placed , text, place
#define PICBATCH_EVENT_ARGUMENTS_TitledText , title, text
#define PICBATCH_EVENT_ARGUMENTS_Operation , title, text
#define PICBATCH_EVENT_MAKER(name, carries, words)                 \
  Event name(PICBATCH_EVENT_PARAMETERS_##carries) {                \
    return Of(EventKind::name PICBATCH_EVENT_ARGUMENTS_##carries); \
  }
PICBATCH_EVENT_KINDS(PICBATCH_EVENT_MAKER)
#undef PICBATCH_EVENT_MAKER

}  // namespace event
}  // namespace rt

#include "app/record/ScenarioLog.h"

#include "app/script/Commands.h"

namespace record {

// Until the first event, `start` is the line everything is read before: the greeting and
// the CD question come during it.
ScenarioLog::ScenarioLog() : lines_{script::Line(script::Command::Start)} {}

void ScenarioLog::SetUp(std::string line) {
  setUp_.push_back(std::move(line));
}

std::string ScenarioLog::TicksLine() const {
  return script::Line(script::Command::Ticks, std::to_string(ticks_));
}

void ScenarioLog::WriteTicks() {
  if (ticks_ == 0) return;
  // A frame still running counts: whatever it opens comes during this line.
  insertAt_ = lines_.size();
  lines_.push_back(TicksLine());
  ticks_ = 0;
}

void ScenarioLog::Event(std::string line) {
  WriteTicks();
  insertAt_ = lines_.size();
  lines_.push_back(std::move(line));
}

void ScenarioLog::BeforeLastEvent(std::string line) {
  WriteTicks();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt_), std::move(line));
  ++insertAt_;
}

std::string ScenarioLog::Text() const {
  std::string text = "# A game recorded by skirmora --record; replay it with skirmora-script.\n";
  for (const std::string& line : setUp_) text += line + "\n";
  for (const std::string& line : lines_) text += line + "\n";
  if (ticks_ > 0) text += TicksLine() + "\n";
  return text;
}

}  // namespace record

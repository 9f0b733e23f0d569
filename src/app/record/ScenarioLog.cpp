#include "app/record/ScenarioLog.h"

#include <cstdio>

#include "app/script/Commands.h"
#include "host/FileOps.h"

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

std::int64_t ScenarioLog::IdleSince(std::int64_t since) const {
  const std::int64_t idle = nowMs_ ? nowMs_() - since : 0;
  return idle >= kIdleMs ? idle : 0;
}

void ScenarioLog::SetClock(std::function<std::int64_t()> nowMs) {
  nowMs_ = std::move(nowMs);
  Busy();
}

void ScenarioLog::Busy() {
  if (nowMs_) busyMs_ = nowMs_();
}

void ScenarioLog::Tick() {
  ++ticks_;
  Busy();
}

void ScenarioLog::Event(std::string line) {
  WriteTicks();
  // What the event brings about goes before the pause that led up to it.
  insertAt_ = lines_.size();
  if (const std::int64_t idle = IdleSince(busyMs_))
    lines_.push_back(script::Line(script::Command::Idle, std::to_string(idle)));
  lines_.push_back(std::move(line));
  Busy();
}

void ScenarioLog::BeforeLastEvent(std::string line) {
  WriteTicks();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt_), std::move(line));
  ++insertAt_;
}

void ScenarioLog::Answer(std::string line, std::int64_t openedMs) {
  if (const std::int64_t open = IdleSince(openedMs))
    BeforeLastEvent(script::Line(script::Command::Idle, std::to_string(open)));
  BeforeLastEvent(std::move(line));
  Busy();
}

std::string ScenarioLog::Text() const {
  std::string text = "# A game recorded by skirmora --record; watch it with skirmora --replay.\n";
  for (const std::string& line : setUp_) text += line + "\n";
  for (const std::string& line : lines_) text += line + "\n";
  if (ticks_ > 0) text += TicksLine() + "\n";
  return text;
}

bool ScenarioLog::SaveTo(const std::string& path, const char* program) const {
  const auto problem = host::fileops::ReplaceFile(path, Text());
  if (!problem) return true;
  if (problem->replaced) {
    std::fprintf(stderr, "%s: the recording was saved to %s, but the disk did not confirm it: %s\n",
                 program, path.c_str(), problem->what.c_str());
    return true;
  }
  std::fprintf(stderr, "%s: the recording was not saved: %s\n", program, problem->what.c_str());
  return false;
}

}  // namespace record

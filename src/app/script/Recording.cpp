#include "app/script/Recording.h"

#include <sstream>

#include "app/script/Commands.h"
#include "app/script/Words.h"

namespace script {
namespace {

// The line as a message can quote it: control characters shown as '?', cut short at a
// character's start.
std::string Quoted(const std::string& line) {
  constexpr std::size_t kShown = 60;
  std::string shown = line;
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  if (shown.size() > kShown) {
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
    shown = shown.substr(0, cut) + "...";
  }
  return "\"" + shown + "\"";
}

// Adds the frames the line runs to `frames`; a scenario error when a recording may not
// hold the line.
void CheckLine(const std::vector<std::string>& words, std::int64_t& frames) {
  const CommandInfo& info = CommandOf(words);
  if (!info.inRecording)
    throw ScenarioError(
        std::string("a recording holds only its set-up, input and frame counts; \"") + info.name +
        "\" is for test scenarios (skirmora-script --all-commands)");
  if (info.command != Command::Frames && info.command != Command::Ticks) return;
  const std::int64_t n = Count(words[1], "the frame count");
  if (n > kRecordingFrames - frames)
    throw ScenarioError("a recording holds at most 24 hours of play (" +
                        std::to_string(kRecordingFrames) + " frames)");
  frames += n;
}

}  // namespace

CheckedRecording ReadRecording(std::istream& in) {
  CheckedRecording result;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    result.text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (result.text.size() > kRecordingBytes) {
      result.text.clear();
      result.problem = "a recording holds at most " + std::to_string(kRecordingBytes / 1'000'000) +
                       " MB, and this one is larger";
      return result;
    }
  }
  if (in.bad()) {
    result.text.clear();
    result.problem = "the recording cannot be read";
    return result;
  }
  std::istringstream lines(result.text);
  std::int64_t frames = 0;
  for (std::string line; std::getline(lines, line);) {
    ++result.line;
    const std::vector<std::string> words = Split(line);
    if (words.empty() || words[0][0] == '#') continue;
    try {
      CheckLine(words, frames);
    } catch (const ScenarioError& e) {
      result.text.clear();
      result.problem = "refused " + Quoted(line) + ": " + e.what();
      return result;
    }
  }
  result.line = 0;
  result.accepted = true;
  return result;
}

std::string Refusal(const CheckedRecording& refused) {
  return (refused.line > 0 ? "line " + std::to_string(refused.line) + ": " : "") + refused.problem;
}

}  // namespace script

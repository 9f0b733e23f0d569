#pragma once
#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>

namespace script {

// What a recording may hold at most: a day of play, and text to match. A day of a player
// busy on keys and mouse writes some tens of MB; a file beyond these is no real session.
inline constexpr std::int64_t kRecordingFrames = 24 * 60 * 60 * 20;  // 50 ms frames
inline constexpr std::size_t kRecordingBytes = 100'000'000;

// A recording read whole and checked before any of it runs, so that a file from anybody is
// safe to replay: it may hold only commands a recording holds (what the game learnt from
// outside at start-up, its input, frame counts; none reaches a file), as many words as each
// takes, and frame counts within kRecordingFrames in all, in at most kRecordingBytes.
struct CheckedRecording {
  bool accepted = false;
  std::string text;     // accepted: the recording, to be run
  int line = 0;         // refused: the line at fault (0: the recording as a whole)
  std::string problem;  // refused: why
};
CheckedRecording ReadRecording(std::istream& in);
// Why a recording was refused, as the programs say it: "line N: problem".
std::string Refusal(const CheckedRecording& refused);

}  // namespace script

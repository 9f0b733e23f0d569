#pragma once
// The background music's score, kept as readable text (assets/text/music.txt):
//
//   tempo 128                      beats per minute, four beats to a bar
//   pattern NAME TOKEN...          one bar, split evenly among its tokens: a note name
//                                  (C4, F#3, Bb2; A4 = 440 Hz), a drum (k kick, s snare,
//                                  h hi-hat), "-" holding the note before, or "." a rest
//   track INSTRUMENT NAME...       the patterns an instrument plays, one per bar
//
// "#" starts a comment. Every track must have the same number of bars.
#include <string>
#include <vector>

namespace sounds {

struct ScoreNote {
  std::string instrument;
  std::string sound;  // the token as written: a note name or a drum letter
  int midi = -1;      // MIDI note number for notes, -1 for drums
  double startBar = 0;
  double lengthBars = 0;
};

struct Score {
  double tempo = 0;
  int bars = 0;
  std::vector<ScoreNote> notes;
  double Seconds() const { return bars * 4 * 60.0 / tempo; }
};

// Throws std::runtime_error naming the line of the first mistake.
Score ParseScore(const std::string& text);

}  // namespace sounds

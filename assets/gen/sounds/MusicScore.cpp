#include "sounds/MusicScore.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace sounds {
namespace {

// MIDI number of a name like "C4", "F#3" or "Bb2"; -1 when it is not one.
int NoteNumber(const std::string& name) {
  constexpr int kSemitones[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
  int semitone = kSemitones[name[0] - 'A'];
  std::size_t at = 1;
  if (name[at] == '#')
    ++semitone, ++at;
  else if (name[at] == 'b')
    --semitone, ++at;
  if (at + 1 != name.size() || name[at] < '0' || name[at] > '8') return -1;
  return 12 * (name[at] - '0' + 1) + semitone;
}

bool IsDrum(const std::string& token) {
  return token == "k" || token == "s" || token == "h";
}

}  // namespace

Score ParseScore(const std::string& text) {
  Score score;
  std::map<std::string, std::vector<std::string>> patterns;
  std::map<std::string, int> barsPerTrack;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const auto fail = [&](const std::string& why) {
      throw std::runtime_error("music.txt line " + std::to_string(number) + ": " + why);
    };
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string keyword;
    if (!(words >> keyword)) continue;
    if (keyword == "tempo") {
      if (!(words >> score.tempo) || score.tempo <= 0) fail("tempo needs a positive number");
    } else if (keyword == "pattern") {
      std::string name, token;
      if (!(words >> name)) fail("pattern needs a name");
      auto& tokens = patterns[name];
      if (!tokens.empty()) fail("pattern " + name + " is defined twice");
      while (words >> token) {
        if (token != "-" && token != ".") {
          if (!IsDrum(token) && NoteNumber(token) < 0) fail("unknown note or drum " + token);
        } else if (token == "-" && (tokens.empty() || tokens.back() == ".")) {
          fail("pattern " + name + " holds a note it has not played");
        }
        tokens.push_back(token);
      }
      if (tokens.empty()) fail("pattern " + name + " is empty");
    } else if (keyword == "track") {
      std::string instrument, name;
      if (!(words >> instrument)) fail("track needs an instrument");
      int& bar = barsPerTrack[instrument];
      while (words >> name) {
        const auto found = patterns.find(name);
        if (found == patterns.end()) fail("no pattern named " + name);
        const auto& tokens = found->second;
        const double step = 1.0 / static_cast<double>(tokens.size());
        for (std::size_t i = 0; i < tokens.size(); ++i) {
          if (tokens[i] == ".") continue;
          if (tokens[i] == "-") {
            score.notes.back().lengthBars += step;
            continue;
          }
          score.notes.push_back({instrument, tokens[i], NoteNumber(tokens[i]),
                                 bar + static_cast<double>(i) * step, step});
        }
        ++bar;
      }
    } else {
      fail("unknown keyword " + keyword);
    }
  }
  if (score.tempo <= 0) throw std::runtime_error("music.txt: no tempo");
  if (barsPerTrack.empty()) throw std::runtime_error("music.txt: no tracks");
  score.bars = barsPerTrack.begin()->second;
  for (const auto& [instrument, bars] : barsPerTrack)
    if (bars != score.bars)
      throw std::runtime_error("music.txt: track " + instrument + " has " + std::to_string(bars) +
                               " bars, not " + std::to_string(score.bars));
  return score;
}

}  // namespace sounds

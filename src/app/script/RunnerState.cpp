// The runner's view of the game state: dump, set and add.
#include <algorithm>
#include <sstream>

#include "app/script/Json.h"
#include "app/script/Runner.h"
#include "app/script/StateFields.h"
#include "host/RegistryStore.h"

namespace script {
namespace {

std::int32_t ParseValue(const std::string& text) {
  if (text == "true" || text == "True") return -1;
  if (text == "false" || text == "False") return 0;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
    throw ScenarioError("expected a 32-bit number or true/false, got \"" + text + "\"");
  return static_cast<std::int32_t>(v);
}

// The value, when the variable can hold it; a scenario error naming its range otherwise.
// Deliberate: set and add refuse values the game itself could never hold.
std::int32_t InRange(const std::string& name, std::int32_t v, Range range) {
  if (range.Holds(v)) return v;
  if (range.min == -1 && range.max == 0) throw ScenarioError(name + " is true or false");
  throw ScenarioError(name + " takes " + std::to_string(range.min) + " to " +
                      std::to_string(range.max) + ", not " + std::to_string(v));
}

std::size_t Position(const std::string& text, const std::string& name) {
  const std::int32_t n = ParseValue(text);
  if (n < 1 || n > 10) throw ScenarioError(name + " positions are 1 to 10");
  return static_cast<std::size_t>(n - 1);
}

game::ProjectileList& NamedList(game::GameState& s, const std::string& name) {
  game::ProjectileList* list = ListByName(s, name);
  if (!list) throw ScenarioError("no list \"" + name + "\" (Shots, Debris, Enemies, PowerUps)");
  return *list;
}

void DumpList(std::ostream& out, const game::ProjectileList& list) {
  out << "[";
  for (std::int32_t i = 1; i <= list.Count(); ++i) {
    game::Projectile r = list[i];
    out << (i > 1 ? "," : "") << "{";
    for (int f = 0; f < 9; ++f)
      out << (f ? "," : "") << "\"" << kRecordFields[f]
          << "\":" << *RecordField(r, kRecordFields[f]);
    out << "}";
  }
  out << "]";
}

void DumpKey(std::ostream& out, host::RegistryStore& store, const std::string& key, bool& first) {
  const auto values = store.Values(key);
  if (!values.empty()) {
    out << (first ? "" : ",") << JsonString(key) << ":{";
    first = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
      const auto& [name, value] = values[i];
      out << (i ? "," : "") << JsonString(name) << ":";
      if (value.type == host::RegValue::Type::Dword) {
        out << value.number;
      } else {
        out << JsonString(value.text);
      }
    }
    out << "}";
  }
  for (const std::string& sub : store.Subkeys(key)) DumpKey(out, store, key + "\\" + sub, first);
}

}  // namespace

void Runner::Set(const std::string& name, const std::string& value) {
  game::GameState& s = Program().Game().state;
  const std::size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string index = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (base == "HighScores" && !index.empty()) {
    s.HighScores[Position(index, base)] = ParseValue(value);
  } else if (base == "HighScoreNames" && !index.empty()) {
    s.HighScoreNames[Position(index, base)] = game::FitInitials(value == "-" ? "" : value);
  } else if (base == "Initials" && index.empty()) {
    s.Initials = game::FitInitials(value == "-" ? "" : value);
  } else if (game::ProjectileList* list = ListByName(s, base); list && !index.empty()) {
    const std::size_t dot2 = index.find('.');
    const std::int32_t i = ParseValue(index.substr(0, dot2));
    if (i < 1 || i > list->Count())
      throw ScenarioError(base + " has entries 1 to " + std::to_string(list->Count()));
    const std::string fieldName = dot2 == std::string::npos ? "" : index.substr(dot2 + 1);
    std::int32_t* field = RecordField((*list)[i], fieldName);
    if (!field) throw ScenarioError("unknown record field in \"" + name + "\"");
    *field = InRange(name, ParseValue(value), RecordRange(base, fieldName));
  } else {
    for (const StateField& f : StateFields()) {
      if (f.name != name) continue;
      const std::int32_t v = InRange(name, ParseValue(value), f.range);
      std::visit(
          [&](auto member) {
            s.*member = static_cast<std::remove_reference_t<decltype(s.*member)>>(v);
          },
          f.member);
      return;
    }
    throw ScenarioError("unknown variable \"" + name + "\"");
  }
}

void Runner::Add(const std::vector<std::string>& words) {
  game::ProjectileList& list = NamedList(Program().Game().state, words[1]);
  game::Projectile record;
  for (int f = 0; f < 9; ++f) {
    const std::string field = kRecordFields[f];
    *RecordField(record, field) =
        InRange(words[1] + " " + field, ParseValue(words[2 + static_cast<std::size_t>(f)]),
                RecordRange(words[1], field));
  }
  list.Add() = record;
}

void Runner::Clear(const std::string& listName) {
  NamedList(Program().Game().state, listName).Clear();
}

void Runner::Check() {
  game::GameState& s = Program().Game().state;
  for (const StateField& f : StateFields()) {
    // Booleans count as -1 and 0, the values a flag holds.
    const std::int64_t v = std::visit(
        [&](auto member) -> std::int64_t {
          if constexpr (std::is_same_v<std::remove_reference_t<decltype(s.*member)>, bool>)
            return s.*member ? -1 : 0;
          return s.*member;
        },
        f.member);
    if (!f.range.Holds(v))
      throw ScenarioError("check: " + f.name + " is " + std::to_string(v) + ", outside " +
                          std::to_string(f.range.min) + " to " + std::to_string(f.range.max));
  }
  for (const char* name : {"Shots", "Debris", "Enemies", "PowerUps"}) {
    game::ProjectileList& list = *ListByName(s, name);
    if (list.Count() < 0 || list.Capacity() != static_cast<std::size_t>(list.Count()))
      throw ScenarioError(std::string("check: ") + name + " holds " +
                          std::to_string(list.Capacity()) + " records for a count of " +
                          std::to_string(list.Count()));
    for (std::int32_t i = 1; i <= list.Count(); ++i)
      for (const char* field : kRecordFields) {
        const std::int32_t v = *RecordField(list[i], field);
        if (!RecordRange(name, field).Holds(v))
          throw ScenarioError(std::string("check: ") + name + "." + std::to_string(i) + "." +
                              field + " is " + std::to_string(v));
      }
  }
}

void Runner::Dump(const std::vector<std::string>& only) {
  out_ << "{\"event\":\"state\"" << StateEntries(only) << "}\n";
  out_.flush();
}

std::string Runner::StateEntries(const std::vector<std::string>& only) {
  shell::Program& program = Program();
  game::GameState& s = program.Game().state;
  std::vector<std::pair<std::string, std::string>> items;
  auto put = [&items](std::string key, const std::ostringstream& value) {
    items.emplace_back(std::move(key), value.str());
  };
  std::ostringstream v;
  auto next = [&v]() -> std::ostringstream& {
    v.str("");
    return v;
  };
  next() << Host().NowMs();
  put("time", v);
  for (const StateField& f : StateFields()) {
    next();
    std::visit(
        [&](auto member) {
          using T = std::remove_reference_t<decltype(s.*member)>;
          if constexpr (std::is_same_v<T, bool>) {
            v << (s.*member ? "true" : "false");
          } else {
            v << s.*member;
          }
        },
        f.member);
    put(f.name, v);
  }
  const std::pair<const char*, const game::ProjectileList*> lists[] = {{"Shots", &s.Shots},
                                                                       {"Debris", &s.Debris},
                                                                       {"Enemies", &s.Enemies},
                                                                       {"PowerUps", &s.PowerUps}};
  const char* counts[] = {"ShotCount", "DebrisCount", "EnemyCount", "PowerUpCount"};
  for (int i = 0; i < 4; ++i) {
    next() << lists[i].second->Count();
    put(counts[i], v);
    DumpList(next(), *lists[i].second);
    put(lists[i].first, v);
  }
  next() << "[";
  for (std::size_t i = 0; i < 10; ++i) v << (i ? "," : "") << s.HighScores[i];
  v << "]";
  put("HighScores", v);
  next() << "[";
  for (std::size_t i = 0; i < 10; ++i) v << (i ? "," : "") << JsonString(s.HighScoreNames[i]);
  v << "]";
  put("HighScoreNames", v);
  next() << JsonString(s.Initials);
  put("Initials", v);
  next() << "[";
  bool first = true;
  for (host::HeadlessWindow* w : Host().Windows()) {
    v << (first ? "" : ",") << "{\"name\":" << JsonString(w->Name())
      << ",\"visible\":" << (w->Visible() ? "true" : "false")
      << ",\"topmost\":" << (w->Topmost() ? "true" : "false")
      << ",\"minimized\":" << (w->Minimized() ? "true" : "false") << ",\"drags\":" << w->Drags()
      << "}";
    first = false;
  }
  v << "]";
  put("windows", v);
  host::Window* front = Host().FrontWindow();
  next() << (front ? JsonString(front->Name()) : "null");
  put("front", v);
  game::MainForm* mainForm = program.GameWindow();
  next() << (mainForm && mainForm->GameTimer().Enabled() ? "true" : "false");
  put("GameTimer", v);
  next() << (mainForm ? mainForm->FramesRun() : 0);
  put("GameTimerTicks", v);
  next() << (Host().ScreenSaverFlag() ? "true" : "false");
  put("ScreenSaverActive", v);
  next() << "{";
  const game::SoundCues& sound = program.Game().sound;
  first = true;
  for (const std::string& cue : sound.LoadedCues()) {
    const host::SoundBuffer* buffer = sound.Cue(cue);
    v << (first ? "" : ",") << JsonString(cue)
      << ":{\"playing\":" << (buffer->Playing() ? "true" : "false")
      << ",\"looping\":" << (buffer->Looping() ? "true" : "false")
      << ",\"volume\":" << buffer->Volume() << "}";
    first = false;
  }
  v << "}";
  put("sounds", v);
  next() << "{";
  first = true;
  for (const char* root : {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                           "HKEY_USERS", "HKEY_CURRENT_CONFIG"})
    DumpKey(v, Host().Registry(), root, first);
  v << "}";
  put("registry", v);

  for (const std::string& name : only) {
    if (std::none_of(items.begin(), items.end(),
                     [&](const auto& item) { return item.first == name; }))
      throw ScenarioError("dump knows no \"" + name + "\"");
  }
  std::ostringstream entries;
  for (const auto& [key, value] : items) {
    if (only.empty() || std::find(only.begin(), only.end(), key) != only.end())
      entries << ",\"" << key << "\":" << value;
  }
  return entries.str();
}

}  // namespace script

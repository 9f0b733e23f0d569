#include "app/record/RecordingHost.h"

#include "app/script/Commands.h"
#include "app/script/KeyNames.h"
#include "host/Keys.h"
#include "host/RegistryText.h"
#include "host/text/Utf8.h"

namespace record {
namespace {

using script::Command;
using script::Line;

constexpr const char* kRoots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                  "HKEY_USERS", "HKEY_CURRENT_CONFIG"};

void CopyKey(host::RegistryStore& store, const std::string& key, host::RegistryTree& tree) {
  for (auto& [name, value] : store.Values(key))
    tree.Apply({host::RegistryChange::Kind::SetValue, key, name, value});
  for (const std::string& sub : store.Subkeys(key)) CopyKey(store, key + "\\" + sub, tree);
}

// The store as the program finds it, in the settings file's own text form.
std::vector<std::string> SettingsLines(host::RegistryStore& store) {
  host::RegistryTree tree;
  for (const char* root : kRoots) CopyKey(store, root, tree);
  std::vector<std::string> lines;
  const std::string text = host::FormatRegistryText(tree);
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(at, end - at);
    if (!line.empty() && line[0] != ';' && line[0] != '#') lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

// The program's store, passing on the troubles met when it was opened to the scenario too,
// since they are told in message boxes whose answers it holds.
class RecordedStore final : public host::RegistryStore {
 public:
  RecordedStore(host::RegistryStore& inner, ScenarioLog& log) : inner_(inner), log_(log) {}
  bool CreateKey(const std::string& path) override { return inner_.CreateKey(path); }
  std::optional<host::RegValue> GetValue(const std::string& key, const std::string& name) override {
    return inner_.GetValue(key, name);
  }
  void SetValue(const std::string& key, const std::string& name,
                const host::RegValue& value) override {
    inner_.SetValue(key, name, value);
  }
  void DeleteValue(const std::string& key, const std::string& name) override {
    inner_.DeleteValue(key, name);
  }
  void DeleteKey(const std::string& key, const std::string& name) override {
    inner_.DeleteKey(key, name);
  }
  std::vector<std::pair<std::string, host::RegValue>> Values(const std::string& key) override {
    return inner_.Values(key);
  }
  std::vector<std::string> Subkeys(const std::string& key) override { return inner_.Subkeys(key); }
  std::optional<std::string> Batch(const std::function<void()>& changes) override {
    return inner_.Batch(changes);
  }
  std::vector<std::string> TakeNotices() override {
    std::vector<std::string> notices = inner_.TakeNotices();
    for (const std::string& notice : notices) {
      std::string line = notice;
      for (char& c : line)
        if (c == '\n' || c == '\r') c = ' ';
      log_.SetUp(Line(Command::SettingsNotice, line));
    }
    return notices;
  }

 private:
  host::RegistryStore& inner_;
  ScenarioLog& log_;
};

std::string MouseLine(const char* what, const host::MouseEvent& e) {
  return Line(Command::Mouse, std::string(what) + " " + std::to_string(e.x) + " " +
                                  std::to_string(e.y) + script::ButtonWords(e.button) +
                                  script::ModifierWords(e.shift));
}

// `type` carries what can be written on a line as it is; blanks and control characters
// go by number.
std::string Typed(char32_t ch) {
  if (ch <= 32 || ch == 127 || (ch >= 0x80 && ch < 0xA0) || ch > 0x10FFFF ||
      (ch >= 0xD800 && ch <= 0xDFFF))
    return Line(Command::Char, std::to_string(static_cast<std::uint32_t>(ch)));
  std::string text;
  host::AppendUtf8(text, ch);
  return Line(Command::Type, text);
}

const char* AnswerWord(host::MsgResult result) {
  switch (result) {
    case host::MsgResult::Ok:
      return "OK";
    case host::MsgResult::Cancel:
      return "Cancel";
    case host::MsgResult::Yes:
      return "Yes";
    case host::MsgResult::No:
      return "No";
  }
  return "OK";
}

}  // namespace

class RecordingHost::Events final : public host::WindowEvents {
 public:
  Events(RecordingHost& host, host::WindowEvents& target, std::string name)
      : host_(host), target_(target), name_(std::move(name)) {}

  void OnPaint() override { target_.OnPaint(); }
  void OnKeyDown(int keyCode, int shift) override {
    host_.Input(Line(Command::Down, script::KeyName(keyCode) + script::ModifierWords(shift)));
    target_.OnKeyDown(keyCode, shift);
    if (keyCode == host::vk::Return || keyCode == host::vk::Escape || keyCode == host::vk::Back)
      host_.keyChar_ = static_cast<char32_t>(keyCode);
  }
  void OnKeyUp(int keyCode, int shift) override {
    host_.Input(Line(Command::Up, script::KeyName(keyCode) + script::ModifierWords(shift)));
    target_.OnKeyUp(keyCode, shift);
  }
  void OnChar(char32_t ch) override {
    if (ch != 0 && ch == host_.keyChar_) {
      host_.keyChar_ = 0;
    } else {
      host_.Input(Typed(ch));
    }
    target_.OnChar(ch);
  }
  void OnMouseDown(const host::MouseEvent& e) override {
    Mouse("down", e, &WindowEvents::OnMouseDown);
  }
  void OnMouseMove(const host::MouseEvent& e) override {
    Mouse("move", e, &WindowEvents::OnMouseMove);
  }
  void OnMouseUp(const host::MouseEvent& e) override { Mouse("up", e, &WindowEvents::OnMouseUp); }
  void OnDoubleClick(const host::MouseEvent& e) override {
    Mouse("dblclick", e, &WindowEvents::OnDoubleClick);
  }
  void OnCloseRequest() override {
    host_.Input(Line(Command::Close, name_));
    target_.OnCloseRequest();
  }
  host::WindowEvents& Target() { return target_; }

 private:
  void Mouse(const char* what, const host::MouseEvent& e,
             void (host::WindowEvents::*handler)(const host::MouseEvent&)) {
    host_.Input(MouseLine(what, e));
    (target_.*handler)(e);
  }

  RecordingHost& host_;
  host::WindowEvents& target_;
  std::string name_;
};

struct RecordingHost::InDialog {
  explicit InDialog(int& count) : count_(count) { ++count_; }
  ~InDialog() { --count_; }
  InDialog(const InDialog&) = delete;
  InDialog& operator=(const InDialog&) = delete;
  int& count_;
};

RecordingHost::RecordingHost(host::Host& inner, ScenarioLog& log)
    : inner_(inner),
      log_(log),
      registry_(std::make_unique<RecordedStore>(inner.Registry(), log)),
      joysticks_(inner.Joysticks(), log) {
  log_.SetClock([&inner] { return inner.NowMs(); });
  for (const std::string& line : SettingsLines(inner.Registry()))
    log_.SetUp(Line(Command::Settings, line));
}

RecordingHost::~RecordingHost() = default;

host::WindowEvents& RecordingHost::ProgramEvents(host::WindowEvents& events) {
  auto* recorded = dynamic_cast<Events*>(&events);
  return recorded ? recorded->Target() : events;
}

void RecordingHost::Input(std::string line) {
  keyChar_ = 0;
  log_.Event(std::move(line));
}

std::unique_ptr<host::Window> RecordingHost::CreateWindow(const host::WindowSpec& spec,
                                                          host::WindowEvents& events) {
  events_.push_back(std::make_unique<Events>(*this, events, spec.name));
  return inner_.CreateWindow(spec, *events_.back());
}

std::unique_ptr<host::Timer> RecordingHost::CreateTimer(int intervalMs,
                                                        std::function<void()> onTick) {
  // The game window's frame timer is the program's only timer: its ticks are the frames.
  return inner_.CreateTimer(intervalMs, [this, tick = std::move(onTick)] {
    log_.Tick();
    tick();
  });
}

void RecordingHost::Sleep(int ms) {
  inner_.Sleep(ms);
  log_.Busy();
}

std::uint32_t RecordingHost::ClockSeed() {
  const std::uint32_t seed = inner_.ClockSeed();
  log_.SetUp(Line(Command::Seed, std::to_string(seed)));
  return seed;
}

bool RecordingHost::CdAudioOpens() {
  const bool opens = inner_.CdAudioOpens();
  log_.SetUp(Line(Command::Cd, opens ? "present" : "absent"));
  return opens;
}

std::string RecordingHost::ProgramFolder() {
  std::string folder = inner_.ProgramFolder();
  if (!programWritten_) {
    programWritten_ = true;
    log_.SetUp(Line(Command::Program, folder + "/" + inner_.ProgramFileName()));
  }
  return folder;
}

host::MsgResult RecordingHost::MessageBox(const std::string& title, const std::string& text,
                                          host::MsgIcon icon, host::MsgButtons buttons) {
  host::MsgResult result;
  const std::int64_t opened = inner_.NowMs();
  {
    InDialog open(dialogs_);
    result = inner_.MessageBox(title, text, icon, buttons);
  }
  log_.Answer(Line(Command::Answer, AnswerWord(result)), opened);
  return result;
}

std::optional<std::string> RecordingHost::InputBox(const std::string& prompt,
                                                   const std::string& title,
                                                   const std::string& defaultText) {
  std::optional<std::string> text;
  const std::int64_t opened = inner_.NowMs();
  {
    InDialog open(dialogs_);
    text = inner_.InputBox(prompt, title, defaultText);
  }
  // OK stands for the text the box was opened with, which may be empty.
  std::string answer = !text ? "Cancel" : (*text == defaultText ? "OK" : *text);
  for (char& c : answer)
    if (c == '\n' || c == '\r') c = ' ';
  log_.Answer(Line(Command::Answer, answer), opened);
  return text;
}

int RecordingHost::PopupMenu(host::Window& owner, int x, int y,
                             const std::vector<std::string>& items, bool rightButtonChooses) {
  int chosen;
  const std::int64_t opened = inner_.NowMs();
  {
    InDialog open(dialogs_);
    chosen = inner_.PopupMenu(owner, x, y, items, rightButtonChooses);
  }
  // Items by number from 1; 0 is the menu dismissed.
  log_.Answer(Line(Command::Answer, std::to_string(chosen < 0 ? 0 : chosen + 1)), opened);
  return chosen;
}

void RecordingHost::SetQuitRequestHandler(std::function<void()> handler) {
  if (!handler) {
    inner_.SetQuitRequestHandler(nullptr);
    return;
  }
  inner_.SetQuitRequestHandler([this, handler = std::move(handler)] {
    // During a dialog the request takes the place of its answer.
    if (dialogs_ > 0) {
      log_.BeforeLastEvent(Line(Command::QuitRequest, "dialog"));
    } else {
      Input(Line(Command::QuitRequest));
    }
    handler();
  });
}

void RecordingHost::SetFocusHandler(std::function<void(bool)> handler) {
  if (!handler) {
    inner_.SetFocusHandler(nullptr);
    return;
  }
  inner_.SetFocusHandler([this, handler = std::move(handler)](bool programHasFocus) {
    Input(Line(Command::Focus, programHasFocus ? "back" : "lost"));
    handler(programHasFocus);
  });
}

}  // namespace record

#include "host/headless/HeadlessHost.h"

#include <sys/stat.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "host/TickSchedule.h"
#include "host/ui/InputBox.h"
#include "host/ui/MessageBox.h"
#include "host/ui/PopupMenu.h"

namespace host {

struct HeadlessHost::TimerSlot : Timer {
  HeadlessHost& host;
  int interval;
  std::function<void()> onTick;
  bool enabled = false;
  bool running = false;
  std::int64_t due = 0;

  TimerSlot(HeadlessHost& h, int ms, std::function<void()> tick)
      : host(h), interval(std::max(1, ms)), onTick(std::move(tick)) {}
  ~TimerSlot() override { host.ForgetTimer(this); }
  void SetEnabled(bool on) override {
    // Enabling a stopped timer starts a fresh interval; enabling a running one changes nothing.
    if (on && !enabled) due = host.NowMs() + interval;
    enabled = on;
  }
  bool Enabled() const override { return enabled; }
  void SetInterval(int ms) override {
    interval = std::max(1, ms);
    due = host.NowMs() + interval;
  }
  int Interval() const override { return interval; }
};

HeadlessHost::HeadlessHost(std::unique_ptr<RegistryStore> registry)
    : registry_(std::move(registry)), joysticks_([this](JoystickChange change, std::int64_t id) {
        Event e{Event::Type::Joystick};
        e.code = static_cast<int>(change);
        e.joystick = id;
        Post(e);
      }) {}

HeadlessHost::~HeadlessHost() = default;

void HeadlessHost::SetProgramPath(std::string folder, std::string fileName) {
  programFolder_ = std::move(folder);
  programFile_ = std::move(fileName);
}

std::vector<HeadlessWindow*> HeadlessHost::Windows() const {
  return zOrder_;
}

std::unique_ptr<Window> HeadlessHost::CreateWindow(const WindowSpec& spec, WindowEvents& events) {
  auto window = std::make_unique<HeadlessWindow>(*this, spec, events);
  zOrder_.insert(zOrder_.begin(), window.get());
  if (watcher_) watcher_->Created(*window);
  return window;
}

void HeadlessHost::Forget(HeadlessWindow* window) {
  if (watcher_) watcher_->Destroyed(*window);
  std::erase(zOrder_, window);
  std::erase(modal_, window);
  std::erase_if(events_, [window](const Event& e) { return e.window == window; });
}

void HeadlessHost::Raise(HeadlessWindow* window) {
  std::erase(zOrder_, window);
  zOrder_.push_back(window);
}

void HeadlessHost::QueuePaint(HeadlessWindow* window) {
  Post({Event::Type::Paint, window});
}

void HeadlessHost::ForgetTimer(TimerSlot* slot) {
  std::erase(timers_, slot);
}

Window* HeadlessHost::FrontWindow() {
  if (!modal_.empty()) return modal_.back();
  for (auto it = zOrder_.rbegin(); it != zOrder_.rend(); ++it)
    if ((*it)->Visible()) return *it;
  return nullptr;
}

void HeadlessHost::Post(Event event) {
  events_.push_back(event);
}

void HeadlessHost::PostKeyDown(int keyCode, int shift) {
  Post({Event::Type::KeyDown, static_cast<HeadlessWindow*>(FrontWindow()), keyCode, shift});
}
void HeadlessHost::PostKeyUp(int keyCode, int shift) {
  Post({Event::Type::KeyUp, static_cast<HeadlessWindow*>(FrontWindow()), keyCode, shift});
}
void HeadlessHost::PostChar(char32_t ch) {
  Post({Event::Type::Char, static_cast<HeadlessWindow*>(FrontWindow()), static_cast<int>(ch)});
}
void HeadlessHost::PostFocus(bool programHasFocus) {
  Post({Event::Type::Focus, nullptr, programHasFocus ? 1 : 0});
}
void HeadlessHost::PostMouse(MouseKind kind, int x, int y, int button, int shift) {
  Event e{Event::Type::Mouse, static_cast<HeadlessWindow*>(FrontWindow()), button, shift};
  e.mouse = kind, e.x = x, e.y = y;
  Post(e);
}

void HeadlessHost::PostClose(HeadlessWindow* window) {
  Post({Event::Type::Close, window});
}

bool HeadlessHost::AcceptsInput(HeadlessWindow* window) const {
  return window && window->Visible() && (modal_.empty() || modal_.back() == window);
}

void HeadlessHost::Step() {
  if (events_.empty()) {
    if (!waitForInput_) throw ProgramExit{0};
    waitForInput_();
    return;
  }
  Event e = events_.front();
  events_.pop_front();
  if (e.type == Event::Type::Focus) {
    if (focusHandler_) focusHandler_(e.code != 0);
    return;
  }
  if (e.type == Event::Type::Joystick) {
    joysticks_.Deliver(static_cast<JoystickChange>(e.code), e.joystick);
    return;
  }
  if (!e.window) return;
  WindowEvents& target = e.window->Events();
  if (e.type == Event::Type::Paint || e.type == Event::Type::Close) {
    if (!e.window->Visible()) return;
    if (e.type == Event::Type::Paint) {
      target.OnPaint();
    } else {
      target.OnCloseRequest();
    }
    return;
  }
  if (!AcceptsInput(e.window)) return;
  switch (e.type) {
    case Event::Type::KeyDown:
      target.OnKeyDown(e.code, e.shift);
      break;
    case Event::Type::KeyUp:
      target.OnKeyUp(e.code, e.shift);
      break;
    case Event::Type::Char:
      target.OnChar(static_cast<char32_t>(e.code));
      break;
    case Event::Type::Mouse: {
      MouseEvent m{e.code, e.shift, e.x, e.y};
      if (e.mouse == MouseKind::Down && e.window->TakesPressAsDrag(e.x, e.y, e.code)) break;
      if (e.mouse == MouseKind::Down) target.OnMouseDown(m);
      if (e.mouse == MouseKind::Move) target.OnMouseMove(m);
      if (e.mouse == MouseKind::Up) target.OnMouseUp(m);
      if (e.mouse == MouseKind::DoubleClick) target.OnDoubleClick(m);
      break;
    }
    case Event::Type::Paint:
    case Event::Type::Focus:
    case Event::Type::Joystick:
    case Event::Type::Close:
      break;
  }
}

void HeadlessHost::RunModal(Window& window) {
  auto* w = static_cast<HeadlessWindow*>(&window);
  w->Show();
  modal_.push_back(w);
  // The window may be destroyed by its own handlers; only compare the pointer then.
  auto alive = [this, w] { return std::find(zOrder_.begin(), zOrder_.end(), w) != zOrder_.end(); };
  while (alive() && w->Visible()) Step();
  std::erase(modal_, w);
}

void HeadlessHost::RunMainLoop() {
  for (;;) Step();
}

std::unique_ptr<Timer> HeadlessHost::CreateTimer(int intervalMs, std::function<void()> onTick) {
  auto timer = std::make_unique<TimerSlot>(*this, intervalMs, std::move(onTick));
  timers_.push_back(timer.get());
  return timer;
}

HeadlessHost::TimerSlot* HeadlessHost::NextTimer(std::int64_t by) const {
  TimerSlot* next = nullptr;
  for (TimerSlot* t : timers_)
    if (t->enabled && !t->running && t->due <= by && (!next || t->due < next->due)) next = t;
  return next;
}

std::optional<std::int64_t> HeadlessHost::NextTimerDue() const {
  const TimerSlot* next = NextTimer(std::numeric_limits<std::int64_t>::max());
  if (!next) return std::nullopt;
  return next->due;
}

void HeadlessHost::AdvanceTime(std::int64_t ms) {
  const std::int64_t target = now_ + std::max<std::int64_t>(0, ms);
  for (;;) {
    TimerSlot* next = NextTimer(target);
    if (!next) break;
    // A tick that comes late (an earlier one slept) runs now, once.
    if (watcher_) watcher_->Until(std::max(now_, next->due));
    now_ = std::max(now_, next->due);
    next->running = true;
    next->due = NextTickDue(next->due, next->interval, now_);
    // The tick may destroy its own timer; look it up again before touching it.
    TimerSlot* self = next;
    self->onTick();
    if (std::find(timers_.begin(), timers_.end(), self) != timers_.end()) self->running = false;
  }
  now_ = std::max(now_, target);
}

void HeadlessHost::Sleep(int ms) {
  RecordStep(TimelineStep::Kind::Sleep, std::max(0, ms));
  if (watcher_) watcher_->Until(now_ + std::max(0, ms));
  now_ += std::max(0, ms);
}

void HeadlessHost::Present() {
  RecordStep(TimelineStep::Kind::Present, 0);
  if (watcher_) watcher_->Presented();
}

void HeadlessHost::RecordStep(TimelineStep::Kind kind, int ms) {
  if (!recordTimeline_) return;
  TimelineStep step{kind, now_, ms, {}, 0, {}};
  if (auto* front = static_cast<HeadlessWindow*>(FrontWindow())) {
    step.window = front->Name();
    step.checksum = front->Checksum();
  }
  if (tagger_) step.tag = tagger_();
  if (timeline_.size() == kTimelineLimit) {
    timeline_.pop_front();
    ++timelineDropped_;
  }
  timeline_.push_back(std::move(step));
}

std::vector<TimelineStep> HeadlessHost::TakeTimeline(std::size_t* dropped) {
  std::vector<TimelineStep> steps(std::make_move_iterator(timeline_.begin()),
                                  std::make_move_iterator(timeline_.end()));
  timeline_.clear();
  if (dropped) *dropped = timelineDropped_;
  timelineDropped_ = 0;
  return steps;
}

void HeadlessHost::RequestQuit(const std::string& front) {
  Record({"quit-request", front, "", "", {}});
  // A program that never said how to quit still ends when asked to.
  if (!quitHandler_) throw ProgramExit{0};
  quitHandler_();
}

HeadlessHost::QueuedAnswer HeadlessHost::NextAnswer(const std::string& what) {
  while (!answers_.empty() && !answers_.front().answer) {
    answers_.pop_front();
    RequestQuit(what);
  }
  if (answers_.empty()) return {};
  QueuedAnswer a = std::move(answers_.front());
  answers_.pop_front();
  return a;
}

void HeadlessHost::Record(const HeadlessRecord& record) {
  if (recorder_) recorder_(record);
}

void HeadlessHost::Settle(ui::Modal& dialog, const QueuedAnswer& queued) {
  if (queued.answer == kKeepOpen) {
    dialog.RunModal();
    return;
  }
  if (watcher_) {
    dialog.Show();
    watcher_->Answering(queued.readMs);
  }
  dialog.Answer(queued.answer.value_or(""));
}

MsgResult HeadlessHost::MessageBox(const std::string& title, const std::string& text, MsgIcon icon,
                                   MsgButtons buttons) {
  const QueuedAnswer answer = NextAnswer(title);
  ui::MessageBoxDialog box(*this, title, text, icon, buttons);
  Settle(box, answer);
  Record({"dialog", title, text, box.AnswerWord(), {}});
  return box.Result();
}

std::optional<std::string> HeadlessHost::InputBox(const std::string& prompt,
                                                  const std::string& title,
                                                  const std::string& defaultText) {
  const QueuedAnswer answer = NextAnswer(title);
  ui::InputBoxDialog box(*this, prompt, title, defaultText);
  Settle(box, answer);
  Record({"dialog", title, prompt, box.AnswerWord(), {}});
  return box.Result();
}

int HeadlessHost::PopupMenu(Window& owner, int x, int y, const std::vector<std::string>& items,
                            bool rightButtonChooses) {
  const QueuedAnswer answer = NextAnswer(owner.Name());
  ui::PopupMenuWindow menu(*this, owner, x, y, items, rightButtonChooses);
  Settle(menu, answer);
  Record({"popup", owner.Name(), std::to_string(x) + "," + std::to_string(y), menu.AnswerWord(),
          items});
  return menu.Result();
}

void HeadlessHost::OpenDocument(const std::string& target) {
  Record({"open", "", target, "", {}});
}

bool HeadlessHost::FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

HeadlessWindow::HeadlessWindow(HeadlessHost& host, const WindowSpec& spec, WindowEvents& events)
    : host_(host),
      spec_(spec),
      events_(events),
      canvas_(spec.width, spec.height, spec.background),
      topmost_(spec.topmost) {}

HeadlessWindow::~HeadlessWindow() {
  host_.Forget(this);
}

bool HeadlessWindow::TakesPressAsDrag(int x, int y, int button) {
  // A minimised window stays where it is, as on the desktop.
  if (button != kLeftButton || minimized_ || !dragArea_.Contains(x, y)) return false;
  ++drags_;
  return true;
}

void HeadlessWindow::Show() {
  if (!visible_) {
    visible_ = true;
    host_.QueuePaint(this);
  }
  minimized_ = false;
  host_.Raise(this);
}

std::uint64_t HeadlessWindow::Checksum() {
  if (checksumVersion_ == canvas_.Version()) return checksum_;  // a canvas starts at version 1
  // 64-bit FNV-1a over the size and the pixels, then a final scramble so that every bit
  // of the result depends on every pixel.
  std::uint64_t h = 14695981039346656037ull;
  const auto mix = [&h](std::uint32_t word) {
    for (int i = 0; i < 4; ++i, word >>= 8) h = (h ^ (word & 0xFF)) * 1099511628211ull;
  };
  mix(static_cast<std::uint32_t>(canvas_.Width()));
  mix(static_cast<std::uint32_t>(canvas_.Height()));
  const std::uint32_t* p = canvas_.Pixels();
  for (std::size_t i = 0, n = static_cast<std::size_t>(canvas_.Width()) * canvas_.Height(); i < n;
       ++i)
    mix(p[i]);
  h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
  h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ull;
  checksum_ = h ^ (h >> 33);
  checksumVersion_ = canvas_.Version();
  return checksum_;
}

void HeadlessWindow::Invalidate() {
  if (visible_) host_.QueuePaint(this);
}

}  // namespace host

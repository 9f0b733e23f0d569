#pragma once
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/RegistryStore.h"
#include "host/headless/HeadlessAudio.h"
#include "host/headless/HeadlessDisplayModes.h"
#include "host/headless/HeadlessJoysticks.h"
#include "host/ui/Dialog.h"

namespace host {

class HeadlessWindow;

// One step of what the program showed: a Sleep or a Present, with the front window's
// pixels at that moment, so that an animation can be checked step by step.
struct TimelineStep {
  enum class Kind { Sleep, Present } kind = Kind::Sleep;
  std::int64_t atMs = 0;       // virtual time when it began
  int ms = 0;                  // how long a sleep lasted
  std::string window;          // the window in front, "" when none was open
  std::uint64_t checksum = 0;  // of that window's size and pixels
  std::string tag;             // what the timeline tagger said at that moment
};

// What the headless back end reports of the dialogs and other outward effects.
struct HeadlessRecord {
  std::string event;  // "dialog" (message and input boxes), "popup", "open", "quit-request"
  std::string title;
  std::string text;
  std::string answer;
  std::vector<std::string> items;  // popup menus
};

// Someone watching a run as it happens, in real time: a recorded game played back in real
// windows. The virtual clock moves on only once they have seen it come to that point.
class HeadlessWatcher {
 public:
  virtual ~HeadlessWatcher() = default;
  // Every window, as it is made and destroyed.
  virtual void Created(HeadlessWindow& window) = 0;
  virtual void Destroyed(HeadlessWindow& window) = 0;
  // Virtual time is to reach `ms`, where a timer's tick falls due or a sleep ends.
  virtual void Until(std::int64_t ms) = 0;
  // The program presented what it has drawn.
  virtual void Presented() = 0;
  // A dialog has been shown and is about to take its answer; the person it was recorded
  // from took `readMs` over it (0: not known).
  virtual void Answering(std::int64_t readMs) = 0;
};

// The test back end: virtual time, scripted input, in-memory windows, dialog answers
// from a queue. Whenever the program waits for input the input source is asked to
// provide some (post events, advance time) or to end the program by throwing ProgramExit.
class HeadlessHost : public Host {
 public:
  explicit HeadlessHost(std::unique_ptr<RegistryStore> registry);
  ~HeadlessHost() override;

  // --- scripting
  void SetInputSource(std::function<void()> waitForInput) {
    waitForInput_ = std::move(waitForInput);
  }
  void SetRecorder(std::function<void(const HeadlessRecord&)> recorder) {
    recorder_ = std::move(recorder);
  }
  void PostKeyDown(int keyCode, int shift);
  void PostKeyUp(int keyCode, int shift);
  void PostChar(char32_t ch);
  // The keyboard focus leaving the program for another one (false) or coming back (true).
  void PostFocus(bool programHasFocus);
  enum class MouseKind { Down, Move, Up, DoubleClick };
  void PostMouse(MouseKind kind, int x, int y, int button, int shift);
  // The window manager's close button on that window, whether or not it is in front.
  void PostClose(HeadlessWindow* window);
  // Advances virtual time, running every timer tick that falls due, in time order.
  void AdvanceTime(std::int64_t ms);
  // When the next timer tick falls due (it may be overdue); none while no timer can tick.
  std::optional<std::int64_t> NextTimerDue() const;
  // Answers for the next dialogs: OK, Cancel, Yes, No, an input text, a popup item (by
  // caption or number from 1; 0 dismisses the menu), or kKeepOpen: that dialog stays open
  // for the scripted input to answer, and is drawn, like any window, for screenshots.
  // `readMs` is for a watcher: how long the dialog stayed open when the run was recorded.
  void QueueAnswer(std::string answer, std::int64_t readMs = 0) {
    answers_.push_back({std::move(answer), readMs});
  }
  static constexpr const char* kKeepOpen = "keep-open";
  // A request to end the program (a signal, the session ending) arriving now, while the
  // program waits for input; `front` names what is in front, for the record.
  void RequestQuit(const std::string& front);
  // The same in line with the answers: the dialog that takes this place in the line gets it
  // while it is open.
  void QueueQuitRequest() { answers_.push_back({}); }
  std::size_t PendingAnswers() const { return answers_.size(); }
  void SetCdPresent(bool present) { cdPresent_ = present; }
  void SetClockSeed(std::uint32_t seed) { clockSeed_ = seed; }
  void SetProgramPath(std::string folder, std::string fileName);
  bool ScreenSaverFlag() const { return screenSaver_; }
  HeadlessJoysticks& ScriptedJoysticks() { return joysticks_; }
  HeadlessDisplayModes& ScriptedDisplay() { return display_; }
  // Sleeps and presents are recorded only once asked for: each step sums up the front
  // window's pixels, which would slow a long game down many times over.
  void RecordTimeline() { recordTimeline_ = true; }
  // The steps recorded since the last call, oldest first; at most kTimelineLimit are kept
  // (the oldest go first), and `dropped` tells how many were lost that way.
  static constexpr std::size_t kTimelineLimit = 100000;
  std::vector<TimelineStep> TakeTimeline(std::size_t* dropped = nullptr);
  // Asked at every step for a note to keep with it (the runner records state values).
  void SetTimelineTagger(std::function<std::string()> tagger) { tagger_ = std::move(tagger); }
  // Every open window, from the back to the front.
  std::vector<HeadlessWindow*> Windows() const;
  // From now on (before any window is made) the run is watched as it happens.
  void SetWatcher(HeadlessWatcher* watcher) { watcher_ = watcher; }

  // --- Host
  std::unique_ptr<Window> CreateWindow(const WindowSpec& spec, WindowEvents& events) override;
  void RunModal(Window& window) override;
  void RunMainLoop() override;
  Window* FrontWindow() override;
  std::unique_ptr<Timer> CreateTimer(int intervalMs, std::function<void()> onTick) override;
  void Sleep(int ms) override;
  void Present() override;
  std::int64_t NowMs() override { return now_; }
  std::uint32_t ClockSeed() override { return clockSeed_; }
  MsgResult MessageBox(const std::string& title, const std::string& text, MsgIcon icon,
                       MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  int PopupMenu(Window& owner, int x, int y, const std::vector<std::string>& items,
                bool rightButtonChooses) override;
  RegistryStore& Registry() override { return *registry_; }
  HeadlessAudio& Audio() override { return audio_; }
  JoystickDevices& Joysticks() override { return joysticks_; }
  DisplayModes& Display() override { return display_; }
  void OpenDocument(const std::string& target) override;
  bool ScreenSaverActive() override { return screenSaver_; }
  void SetScreenSaverActive(bool active) override { screenSaver_ = active; }
  bool CdAudioOpens() override { return cdPresent_; }
  std::string ProgramFolder() override { return programFolder_; }
  std::string ProgramFileName() override { return programFile_; }
  bool FileExists(const std::string& path) override;
  void SetQuitRequestHandler(std::function<void()> handler) override {
    quitHandler_ = std::move(handler);
  }
  void SetFocusHandler(std::function<void(bool)> handler) override {
    focusHandler_ = std::move(handler);
  }

  // Used by the windows and timers of this back end.
  void Forget(HeadlessWindow* window);
  void Raise(HeadlessWindow* window);
  void QueuePaint(HeadlessWindow* window);
  struct TimerSlot;
  void ForgetTimer(TimerSlot* slot);

 private:
  // The timer whose tick falls due first, no later than `by`.
  TimerSlot* NextTimer(std::int64_t by) const;
  struct Event {
    enum class Type { KeyDown, KeyUp, Char, Mouse, Paint, Focus, Joystick, Close } type;
    HeadlessWindow* window = nullptr;
    int code = 0;
    int shift = 0;
    MouseKind mouse = MouseKind::Move;
    int x = 0, y = 0;
    std::int64_t joystick = 0;
  };
  void Post(Event event);
  // Delivers one queued event, or asks the input source for more.
  void Step();
  bool AcceptsInput(HeadlessWindow* window) const;
  struct QueuedAnswer {
    std::optional<std::string> answer;  // nothing: a quit request
    std::int64_t readMs = 0;
  };
  // The next answer, nothing when none is queued; a quit request queued before it is
  // delivered first, during `what`.
  QueuedAnswer NextAnswer(const std::string& what);
  // Opens the dialog and lets the answer close it, or the scripted input when it is kKeepOpen.
  void Settle(ui::Modal& dialog, const QueuedAnswer& answer);
  void Record(const HeadlessRecord& record);
  void RecordStep(TimelineStep::Kind kind, int ms);

  std::unique_ptr<RegistryStore> registry_;
  HeadlessAudio audio_{[this] { return now_; }};
  std::function<void()> waitForInput_;
  std::function<void(const HeadlessRecord&)> recorder_;
  std::function<void(bool)> focusHandler_;
  HeadlessJoysticks joysticks_;
  HeadlessDisplayModes display_;
  std::deque<Event> events_;
  std::vector<HeadlessWindow*> zOrder_;  // back to front
  std::vector<HeadlessWindow*> modal_;   // innermost last
  std::vector<TimerSlot*> timers_;
  std::deque<QueuedAnswer> answers_;
  HeadlessWatcher* watcher_ = nullptr;
  std::function<void()> quitHandler_;
  std::deque<TimelineStep> timeline_;
  std::size_t timelineDropped_ = 0;
  std::function<std::string()> tagger_;
  bool recordTimeline_ = false;
  std::int64_t now_ = 0;
  bool cdPresent_ = false;
  std::uint32_t clockSeed_ = 0;
  bool screenSaver_ = true;
  std::string programFolder_;
  std::string programFile_;
};

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(HeadlessHost& host, const WindowSpec& spec, WindowEvents& events);
  ~HeadlessWindow() override;
  const std::string& Name() const override { return spec_.name; }
  Surface& Canvas() override { return canvas_; }
  void Show() override;
  void Hide() override { visible_ = false; }
  bool Visible() const override { return visible_; }
  void SetTopmost(bool onTop) override { topmost_ = onTop; }
  bool Topmost() const override { return topmost_; }
  void Minimize() override { minimized_ = true; }
  bool Minimized() const override { return minimized_; }
  bool Maximized() const override { return false; }
  void SetCursor(Cursor cursor) override { cursor_ = cursor; }
  Cursor CurrentCursor() const override { return cursor_; }
  void SetCapture(bool capture) override { capture_ = capture; }
  bool HasCapture() const override { return capture_; }
  void SetDragArea(const PixelRect& area) override { dragArea_ = area; }
  void Invalidate() override;

  const WindowSpec& Spec() const { return spec_; }
  WindowEvents& Events() { return events_; }
  // A left press inside the drag area stands for the window system's move.
  bool TakesPressAsDrag(int x, int y, int button);
  int Drags() const { return drags_; }
  // A checksum of the canvas's size and pixels, worked out again only after a change.
  std::uint64_t Checksum();

 private:
  HeadlessHost& host_;
  WindowSpec spec_;
  WindowEvents& events_;
  Surface canvas_;
  bool visible_ = false;
  bool topmost_ = false;
  bool minimized_ = false;
  bool capture_ = false;
  Cursor cursor_ = Cursor::Default;
  PixelRect dragArea_;
  int drags_ = 0;
  std::uint64_t checksum_ = 0;
  std::uint64_t checksumVersion_ = 0;
};

}  // namespace host

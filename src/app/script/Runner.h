#pragma once
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/record/RecordingHost.h"
#include "app/record/ScenarioLog.h"
#include "app/script/Commands.h"
#include "app/script/Words.h"
#include "host/RegistryTree.h"
#include "host/headless/HeadlessHost.h"
#include "host/headless/MixdownAudio.h"
#include "shell/Program.h"

namespace script {

// What a run accepts. By default only what a recording of a game holds, checked whole
// before anything runs (ReadRecording), and the program sees nothing of the machine's files
// or settings: a recording from anybody is safe to replay. The project's own test scenarios
// ask for every command (they write pictures, use settings files, set and print the state)
// and are read line by line as the program goes.
enum class Accept { Recording, AllCommands };

// Someone watching the run in real time (skirmora --replay): told what the host tells its
// watcher, and the pauses a recording holds.
class Watcher : public host::HeadlessWatcher {
 public:
  // The run starts on `host`, before the program makes its first window.
  virtual void Started(host::HeadlessHost& host) = 0;
  // The player took `ms` before the line that comes now.
  virtual void Hold(std::int64_t ms) = 0;
};

// Runs the whole program on the headless back end, driven by a scenario: one command a
// line, read whenever the program waits for input.
class Runner {
 public:
  Runner(std::istream& scenario, std::ostream& out, std::string programFolder,
         std::string programFile, Accept accept = Accept::Recording);
  ~Runner();
  // Runs to the end of the scenario or of the program; returns the exit status.
  int Run();
  // Also writes the run down as a scenario of its own to that file when it ends: every
  // input, the frames between them and the state changed by commands, not what is printed.
  void RecordTo(std::string path) { recordPath_ = std::move(path); }
  // Also writes what the game's sounds sound like to that file, as the real back end's mixer
  // mixes them, in virtual time: raw 16-bit little-endian stereo at 44.1 kHz from the start.
  void MixDownTo(std::string path) { mixdownPath_ = std::move(path); }
  // Plays the run for someone watching it as it happens, under the name of that program in
  // its messages. The watcher must outlive the runner.
  void WatchWith(Watcher& watcher, std::string programName) {
    watcher_ = &watcher;
    programName_ = std::move(programName);
  }

 private:
  // Reads and runs the next command; false at the end of the scenario.
  bool RunNextCommand();
  // The pause an `idle` line asked for goes by, for whoever watches.
  void HoldIdle();
  // Runs a line whose command takes that many words.
  void Execute(Command command, const std::vector<std::string>& words, const std::string& rest);
  void ExecuteSetup(Command command, const std::vector<std::string>& words,
                    const std::string& rest);
  void Start();
  // Advances virtual time by count x msEach, running whatever falls due.
  void AdvanceTime(std::int64_t count, std::int64_t msEach);
  // Refuses a time step that would run past the end of the virtual clock.
  void CheckClockRoom(std::int64_t count, std::int64_t msEach);
  // Runs the next count ticks of GameTimer, however long each one takes.
  void RunTicks(std::int64_t count);
  void Key(Command command, const std::vector<std::string>& words);
  void Click(Command command, const std::vector<std::string>& words);
  void Mouse(const std::vector<std::string>& words);
  void Char(const std::vector<std::string>& words);
  // A close request from the window manager to the window in front or the one named.
  void Close(const std::vector<std::string>& words);
  // The scripted joysticks: plug, unplug, move the stick, press and release buttons.
  void Joystick(std::vector<std::string> words);
  // A request to end the program from outside, now or in line with the answers.
  void QuitRequest(const std::vector<std::string>& words);
  // The store the program starts with: the registry file, the settings lines, or empty.
  std::unique_ptr<host::RegistryStore> MakeStore();
  // A command that changes the program's state directly goes into the recording as it is.
  void RecordCommand(const std::string& line);
  // Writes the recording, if one is asked for; false when it could not be written.
  bool WriteRecording();
  // Brings the mixdown, if one is asked for, up to now; false when it could not be written.
  bool FinishMixdown();
  // Prints "PROGRAM: text" on stderr.
  void Complain(const std::string& text) const;
  void MenuItem(int n);
  void Set(const std::string& name, const std::string& value);
  void Add(const std::vector<std::string>& words);
  // Empties one of the four lists.
  void Clear(const std::string& listName);
  // Stops the scenario when a variable or record lies outside its range or a list's
  // storage differs from its count.
  void Check();
  // Prints the state; with names, only those entries.
  void Dump(const std::vector<std::string>& only);
  // The state's entries as they follow the event name in a JSON line: ,"name":value ...
  std::string StateEntries(const std::vector<std::string>& only);
  // Prints the recorded sleeps and presents, chooses state entries to record with them, or
  // takes a screenshot at a later step.
  void Timeline(const std::vector<std::string>& words);
  // What the runner does at each step of the timeline: the screenshot due, the watched state.
  std::string AtTimelineStep();
  void Screenshot(const std::string& file);
  void Record(const host::HeadlessRecord& record);
  host::HeadlessHost& Host();
  shell::Program& Program();

  std::istream* scenario_;
  std::istringstream checked_;  // a recording, once checked whole
  std::ostream& out_;
  Accept accept_;
  int line_ = 0;
  // Set-up before `start`.
  std::optional<std::uint32_t> seed_;
  std::vector<float> forced_;
  std::string rndLine_;  // as written, for the recording
  bool cdPresent_ = false;
  std::string registryFile_;
  std::vector<std::string> settingsLines_;  // the settings file's text form, line by line
  std::vector<std::string> settingsNotices_;
  std::string programFolder_, programFile_;
  struct Answer {
    std::optional<std::string> text;  // nothing: a quit request
    std::int64_t readMs = 0;
  };
  std::vector<Answer> answers_;
  std::int64_t idleMs_ = 0;  // of the last `idle` line, until the line after it
  std::vector<std::vector<std::string>> joysticksAtStart_;

  std::string mixdownPath_;
  std::ofstream mixdownFile_;
  std::unique_ptr<host::MixdownAudio> mixdown_;  // outlives the host's devices
  std::unique_ptr<host::HeadlessHost> host_;
  std::string recordPath_;
  std::unique_ptr<record::ScenarioLog> log_;
  std::unique_ptr<record::RecordingHost> recorder_;  // between host_ and the program
  std::unique_ptr<shell::Program> program_;
  Watcher* watcher_ = nullptr;
  std::string programName_ = "skirmora-script";
  // The timeline: the state entries recorded at each step, and a screenshot still to take
  // when that many more steps have come.
  std::vector<std::string> watched_;
  std::int64_t stepsToScreenshot_ = 0;
  std::string timelineScreenshot_;
};

}  // namespace script

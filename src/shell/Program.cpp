#include "shell/Program.h"

#include <cstdio>
#include <new>

#include "game/Flow.h"
#include "shell/BCMini.h"
#include "shell/BCRegistry.h"
#include "shell/InitialsForm.h"
#include "shell/Settings.h"

namespace shell {
namespace {

constexpr const char* kWelcome =
    "Welcome to Skirmora!  To find out how to play, click on Instructions on the main menu.  You "
    "may wish to click Rookie Mode instead of Play Game if you have not played before.  If you "
    "have any questions, please E-Mail skirmora@bramblecrest.example.  We sincerely hope you "
    "enjoy this product.  There is no registration fee -- it's completely free.  Thanks for "
    "choosing Bramblecrest software!";

constexpr const char* kJoystickNote =
    "Please note that if there is a joystick plugged into your computer and it only has two "
    "buttons, we suggest you unplug it and play with the keyboard.  A two-button joystick is "
    "unable to use your ship's shields -- although this is not a big problem when you play in "
    "rookie mode.  If you do not have a four-button joystick, you may want to consider "
    "purchasing one.  (We suggest the Gravis GamePad; it's inexpensive...  the Microsoft "
    "Sidewinder is nice, but costs more.)  They can be purchased at any computer retailer, and "
    "will make Skirmora easier and more enjoyable.  Now, on to the game!";

constexpr const char* kCdQuestion =
    "You seem to be playing a CD.  You may want to play in \"reduced sound\" mode.  (You can "
    "always change this by pressing the \"S\" key.)  Pressing Yes will activate Reduced Sound "
    "mode; pressing No will play as normal.";

}  // namespace

Program::Program(host::Host& host) : host_(host), game_(host), popup_(*this) {
  game_.shell = this;
  // Deliberate: ending the desktop session, a signal or the window manager closing the main
  // window end the program the way its Exit item does, so that nothing is lost.
  host_.SetQuitRequestHandler([this] { QuitProgram(); });
}

Program::~Program() {
  host_.SetQuitRequestHandler(nullptr);
}

MenuForm& Program::Menu() {
  if (!menu_) menu_ = std::make_unique<MenuForm>(host_, *this);
  return *menu_;
}

void Program::Main() {
  game_.random.Seed(host_.ClockSeed());
  for (const std::string& notice : host_.Registry().TakeNotices()) Warn(notice);
  {
    BCRegistry registry(host_.Registry());
    registry.RootPath(kRegistryKey);
    const std::string folder = host_.ProgramFolder();
    if (host_.FileExists(folder + "/skirmora")) {
      registry.Value("Location", folder);
    } else {
      registry.DeleteValue("Location");
    }
    if (registry.ValueLong("Greeted") == 0) {
      Greet();
      registry.ValueLong("Greeted", -1);
    }
  }
  AskAboutCd();
  LoadSettings(game_.state, host_.Registry());
  loaded_ = HallOfFameOf(game_.state);
  Menu().Show();
}

void Program::Greet() {
  host_.MessageBox("Welcome, newcomer!", kWelcome, host::MsgIcon::Information,
                   host::MsgButtons::Ok);
  host_.MessageBox("A note about joysticks...", kJoystickNote, host::MsgIcon::Information,
                   host::MsgButtons::Ok);
}

void Program::AskAboutCd() {
  // The question needs the menu window as its owner, which loads it (still hidden).
  Menu();
  // Deliberate: a CD device that cannot be opened is taken as a sign that another program
  // plays a CD, so a machine without a drive is asked at every start.
  if (!host_.CdAudioOpens()) {
    if (host_.MessageBox("Playing a CD...", kCdQuestion, host::MsgIcon::Question,
                         host::MsgButtons::YesNo) == host::MsgResult::Yes) {
      game_.state.ReducedSound = true;
    }
  }
}

void Program::PlayGame() {
  game::GameState& s = game_.state;
  mainForm_ = std::make_unique<game::MainForm>(game_);
  game::NewGame(*mainForm_);
  game::SuspendPlay(*mainForm_);
  Menu().Hide();
  game_.sound.LoadSounds(mainForm_->Window());
  game_.sound.SetVolume("SMusic", -10000);
  if (!s.ReducedSound) game_.sound.PlayLooping("SMusic");
  host_.RunModal(mainForm_->Window());
  Menu().Show();
  if (mainForm_->Loaded()) mainForm_->Unload();
  mainForm_.reset();
  game_.sound.ReleaseSoundManager();
}

std::string Program::GetInitials(std::size_t entry) {
  // Nobody is asked any more once the program is ending.
  if (quitting_) return game::FitInitials("");
  if (mainForm_) SetAlwaysOnTop(mainForm_->Window(), false);
  {
    InitialsForm form(host_, game_.state);
    initialsForm_ = &form;
    initialsEntry_ = entry;
    struct Closed {
      InitialsForm*& form;
      ~Closed() { form = nullptr; }
    } closed{initialsForm_};
    form.ShowModal();
  }
  if (mainForm_) SetAlwaysOnTop(mainForm_->Window(), true);
  return game_.state.Initials;
}

void Program::QuitProgram() {
  // Deliberate: a second request while the first is carried out (its message box is open,
  // say) ends the program at once with status 1: the first one has already tried to save,
  // and a logout must not hang on a box nobody will answer.
  if (quitting_) throw host::ProgramExit{1};
  quitting_ = true;
  // Deliberate: the hall of fame is saved only here, on every way out but a crash, which
  // loses that run's entries and never earlier ones. Before the settings are loaded nothing
  // is saved: the player cannot have changed any, and saving the defaults would wipe out the
  // stored hall of fame.
  if (loaded_) {
    FileInterruptedScore();
    if (auto problem = SaveSettings(game_.state, host_.Registry(), *loaded_)) Warn(*problem);
  }
  game_.sound.ReleaseSoundManager();
  if (mainForm_) mainForm_->ReleaseResolution();
  if (mainForm_ && mainForm_->Loaded()) mainForm_->Unload();
  if (menu_) menu_->Unload();
  throw host::ProgramExit{0};
}

// Deliberate: a fault the game cannot go on from ends it as a quit request would, saving
// what it can, with status 1.
int Program::EndAfterFault(const std::exception* fault) noexcept {
  const char* what = "an unknown error";
  if (dynamic_cast<const std::bad_alloc*>(fault) != nullptr) {
    what = "out of memory";
  } else if (fault != nullptr) {
    what = fault->what();
  }
  std::fprintf(stderr, "skirmora: the game cannot go on (%s); it ends as if asked to quit\n", what);
  try {
    QuitProgram();
  } catch (...) {
    // A ProgramExit is the quit done; anything else stopped it half-way, before the settings
    // were written or without a trace in the file.
  }
  return 1;
}

void Program::FileInterruptedScore() {
  game::GameState& s = game_.state;
  if (initialsForm_) {
    // The new score is already in place; it keeps what has been typed so far, not the
    // initials of the entry it pushed down.
    s.HighScoreNames[initialsEntry_] = initialsForm_->TypedInitials();
  } else if (s.GameRunning && mainForm_) {
    // Deliberate: as when the player leaves a running game with Esc, a qualifying score is
    // filed, here without initials, since nobody is asked any more.
    game::GameOver(*mainForm_, true);
  }
}

// Deliberate: a damaged settings file and a save that failed are told in a box with the
// path, not only on standard error, where a player would never see them.
void Program::Warn(const std::string& message) {
  std::string text = message;
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
  host_.MessageBox("Skirmora settings", text, host::MsgIcon::Exclamation, host::MsgButtons::Ok);
}

}  // namespace shell

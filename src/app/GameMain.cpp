// skirmora: the game on the desktop.
#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/DesktopGame.h"
#include "app/replay/Viewer.h"
#include "assets/Assets.h"

int main(int argc, char** argv) {
  const app::CommandLine line = app::ParseCommandLine({argv + 1, argv + argc});
  switch (line.action) {
    case app::CommandLine::Action::Help:
      std::fputs(app::UsageText("skirmora").c_str(), stdout);
      return 0;
    case app::CommandLine::Action::Version: {
      const assets::Version v = assets::ProgramVersion();
      std::printf("skirmora %d.%d.%d\n", v.major, v.minor, v.revision);
      std::fputs(
          "Copyright (c) 2026 The Skirmora developers. License: MIT.\n"
          "Its text is drawn with Liberation Sans, copyright (c) 2007 Red Hat, Inc., under the\n"
          "GNU GPL version 2 with the font exception. The full texts are installed with the\n"
          "game, in share/doc/skirmora.\n",
          stdout);
      return 0;
    }
    case app::CommandLine::Action::Error:
      std::fprintf(stderr, "skirmora: %s (try 'skirmora --help')\n", line.error.c_str());
      return 2;
    case app::CommandLine::Action::Play:
      break;
  }
  if (!line.replayPath.empty())
    return replay::WatchRecording(line.replayPath, DesktopScreen(line.windowed));
  return RunDesktopGame({.windowed = line.windowed, .recordPath = line.recordPath});
}

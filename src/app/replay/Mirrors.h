#pragma once
#include <memory>
#include <vector>

#include "host/Host.h"
#include "host/headless/HeadlessHost.h"

namespace replay {

// The windows of a run on the headless back end, shown in real windows of another host. Each
// gets a twin made from its WindowSpec, which follows what it shows, whether it is shown, on
// top or minimised, and its pointer. The twins take no input; the window manager's close
// button on one ends the program.
class Mirrors {
 public:
  explicit Mirrors(host::Host& screen) : screen_(screen) {}
  Mirrors(const Mirrors&) = delete;
  Mirrors& operator=(const Mirrors&) = delete;

  void Created(host::HeadlessWindow& window);
  void Destroyed(host::HeadlessWindow& window);
  // Brings the twins of `windows` (back to front) up to date and presents them.
  void Follow(const std::vector<host::HeadlessWindow*>& windows);

 private:
  struct Twin {
    const host::Window* window;
    std::unique_ptr<host::Window> shown;
  };
  class Closing final : public host::WindowEvents {
    void OnCloseRequest() override { throw host::ProgramExit{0}; }
  };
  host::Window* TwinOf(const host::Window* window) const;

  host::Host& screen_;
  Closing events_;
  std::vector<Twin> twins_;
};

}  // namespace replay

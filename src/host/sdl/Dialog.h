#pragma once
#include <memory>
#include <string>

#include "host/sdl/ButtonRow.h"
#include "host/sdl/SdlHostImpl.h"
#include "host/sdl/SdlWindow.h"
#include "host/sdl/Widgets.h"

namespace host::sdl {

// A modal dialog window: fixed raised frame, a title strip that moves it, a button row.
class Dialog : public WindowEvents {
 public:
  ~Dialog() override;

 protected:
  Dialog(SdlHost& host, std::string title);
  // Creates the window (client w x h, centred, topmost) and runs it until Close().
  void RunModal(int w, int h);
  void Close();
  void Redraw();
  virtual void DrawBody(Surface& s) = 0;
  virtual void Clicked(int id) = 0;
  // Esc and the window's close request.
  virtual void Cancelled() = 0;

  void OnPaint() override { Redraw(); }
  void OnMouseDown(const MouseEvent& m) override;
  void OnMouseMove(const MouseEvent& m) override;
  void OnMouseUp(const MouseEvent& m) override;
  void OnCloseRequest() override { Cancelled(); }

  SdlHost& host_;
  std::string title_;
  ButtonRow buttons_;
  std::unique_ptr<SdlWindow> window_;
};

}  // namespace host::sdl

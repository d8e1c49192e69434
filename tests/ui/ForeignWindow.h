// A window of another X client, on a connection of its own to the display: the program a user
// turns to when leaving the dictionary.
#pragma once

#include <memory>

namespace quorvel::test {

class ForeignWindow {
 public:
  // Maps a small window on $DISPLAY; Shown() tells when the window manager has shown it.
  ForeignWindow();
  ~ForeignWindow();
  ForeignWindow(const ForeignWindow&) = delete;
  ForeignWindow& operator=(const ForeignWindow&) = delete;

  bool Shown();
  // Asks the window manager to make this window the active one, as a click on it would.
  void Activate();

 private:
  struct Connection;
  std::unique_ptr<Connection> x_;
};

}  // namespace quorvel::test

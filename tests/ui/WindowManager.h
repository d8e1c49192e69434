// The test desktop's window manager as a task bar sees it, over a connection of its own to the
// display: the actions it offers for a window (_NET_WM_ALLOWED_ACTIONS), whether it has
// minimised the window (WM_STATE), and the requests of its minimise and close buttons.
#pragma once

#include <QStringList>

#include <memory>

namespace quorvel::test {

class WindowManager {
 public:
  WindowManager();  // on $DISPLAY; throws when there is none
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

  // For the client window `window`; empty until the window manager manages it.
  QStringList AllowedActions(unsigned long window);
  bool Minimised(unsigned long window);
  void Minimise(unsigned long window);
  void Close(unsigned long window);

 private:
  struct Connection;
  std::unique_ptr<Connection> x_;
};

}  // namespace quorvel::test

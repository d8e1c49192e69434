#include "tests/ui/WindowManager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <stdexcept>
#include <vector>

namespace quorvel::test {

struct WindowManager::Connection {
  Display* display = nullptr;

  std::vector<long> Property(Window window, const char* name, Atom type) const {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 64, False, type, &actual, &format,
                           &count, &after, &data) == Success && data) {
      values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    }
    if (data) XFree(data);
    return values;
  }
};

WindowManager::WindowManager() : x_(std::make_unique<Connection>()) {
  x_->display = XOpenDisplay(nullptr);
  if (!x_->display) throw std::runtime_error("no X display");
}

WindowManager::~WindowManager() { XCloseDisplay(x_->display); }

QStringList WindowManager::AllowedActions(unsigned long window) {
  QStringList names;
  for (const long atom : x_->Property(window, "_NET_WM_ALLOWED_ACTIONS", XA_ATOM)) {
    char* name = XGetAtomName(x_->display, static_cast<Atom>(atom));
    names << QString::fromLatin1(name);
    XFree(name);
  }
  return names;
}

bool WindowManager::Minimised(unsigned long window) {
  const std::vector<long> state = x_->Property(window, "WM_STATE", XInternAtom(x_->display, "WM_STATE", False));
  return !state.empty() && state[0] == IconicState;
}

void WindowManager::Minimise(unsigned long window) {
  XIconifyWindow(x_->display, window, DefaultScreen(x_->display));
  XFlush(x_->display);
}

void WindowManager::Close(unsigned long window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(x_->display, "_NET_CLOSE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[1] = 2;  // on behalf of the user
  XSendEvent(x_->display, DefaultRootWindow(x_->display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
  XFlush(x_->display);
}

}  // namespace quorvel::test

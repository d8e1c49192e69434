#include "tests/ui/ForeignWindow.h"

#include <X11/Xlib.h>

#include <stdexcept>

namespace quorvel::test {

struct ForeignWindow::Connection {
  Display* display = nullptr;
  Window window = 0;
};

ForeignWindow::ForeignWindow() : x_(std::make_unique<Connection>()) {
  x_->display = XOpenDisplay(nullptr);
  if (!x_->display) throw std::runtime_error("no X display");
  const int screen = DefaultScreen(x_->display);
  x_->window = XCreateSimpleWindow(x_->display, RootWindow(x_->display, screen), 20, 20, 200, 120, 1,
                                   BlackPixel(x_->display, screen), WhitePixel(x_->display, screen));
  XStoreName(x_->display, x_->window, "another program");
  XMapRaised(x_->display, x_->window);
  XFlush(x_->display);
}

ForeignWindow::~ForeignWindow() {
  XDestroyWindow(x_->display, x_->window);
  XCloseDisplay(x_->display);
}

bool ForeignWindow::Shown() {
  XWindowAttributes attributes;
  return XGetWindowAttributes(x_->display, x_->window, &attributes) && attributes.map_state == IsViewable;
}

void ForeignWindow::Activate() {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = x_->window;
  event.xclient.message_type = XInternAtom(x_->display, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 2;  // on behalf of the user (a pager or task bar)
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(x_->display, DefaultRootWindow(x_->display), False,
             SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XRaiseWindow(x_->display, x_->window);
  XSetInputFocus(x_->display, x_->window, RevertToParent, CurrentTime);
  XFlush(x_->display);
}

}  // namespace quorvel::test

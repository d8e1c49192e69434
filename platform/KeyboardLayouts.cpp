#include "platform/KeyboardLayouts.h"

#include <QGuiApplication>
#include <QString>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace quorvel::platform {
namespace {

// The XKB groups of the core keyboard, on a connection of our own to the application's display
// (a group lock is server state, so it holds for the application's own connection too).
class XkbKeyboardLayouts : public KeyboardLayouts {
 public:
  explicit XkbKeyboardLayouts(Display* display) : display_(display) {}
  ~XkbKeyboardLayouts() override { XCloseDisplay(display_); }
  XkbKeyboardLayouts(const XkbKeyboardLayouts&) = delete;
  XkbKeyboardLayouts& operator=(const XkbKeyboardLayouts&) = delete;

  std::vector<KeyboardLayout> Installed(int limit) override {
    std::vector<KeyboardLayout> layouts;
    XkbDescPtr keyboard = XkbAllocKeyboard();
    if (!keyboard) return layouts;
    if (XkbGetControls(display_, XkbGroupsWrapMask, keyboard) == Success &&
        XkbGetNames(display_, XkbGroupNamesMask, keyboard) == Success && keyboard->ctrls &&
        keyboard->names) {
      const int groups = keyboard->ctrls->num_groups;
      for (int group = 0; group < groups && group < XkbNumKbdGroups &&
                          static_cast<int>(layouts.size()) < limit;
           ++group) {
        std::string name;
        if (keyboard->names->groups[group] != None) {
          if (char* atom = XGetAtomName(display_, keyboard->names->groups[group])) {
            name = atom;
            XFree(atom);
          }
        }
        layouts.push_back({group + 1, LanguageOfGroupName(name)});
      }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return layouts;
  }

  void Activate(int handle) override {
    if (handle < 1 || handle > XkbNumKbdGroups) return;
    XkbLockGroup(display_, XkbUseCoreKbd, static_cast<unsigned int>(handle - 1));
    XSync(display_, False);
  }

  int Active() override {
    XkbStateRec state;
    if (XkbGetState(display_, XkbUseCoreKbd, &state) != Success) return 0;
    return state.group + 1;
  }

 private:
  Display* display_;
};

class NoKeyboardLayouts : public KeyboardLayouts {
 public:
  std::vector<KeyboardLayout> Installed(int) override { return {}; }
  void Activate(int) override {}
  int Active() override { return 0; }
};

}  // namespace

std::unique_ptr<KeyboardLayouts> CreateSystemKeyboardLayouts() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    Display* display = XkbOpenDisplay(nullptr, nullptr, nullptr, &major, &minor, &reason);
    if (display) return std::make_unique<XkbKeyboardLayouts>(display);
  }
  return std::make_unique<NoKeyboardLayouts>();
}

std::string LanguageOfGroupName(std::string_view groupName) {
  const size_t bracket = groupName.find(" (");
  return std::string(groupName.substr(0, bracket));
}

std::vector<KeyboardLayout> FakeKeyboardLayouts::Installed(int limit) {
  std::vector<KeyboardLayout> layouts = layouts_;
  if (static_cast<int>(layouts.size()) > limit) layouts.resize(static_cast<size_t>(limit));
  return layouts;
}

void FakeKeyboardLayouts::Activate(int handle) {
  for (const KeyboardLayout& layout : layouts_) {
    if (layout.handle == handle) {
      active_ = handle;
      ++activations_;
    }
  }
}

}  // namespace quorvel::platform

#include "tests/ui/XkbKeymap.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace quorvel::test {

bool LoadUsGreekKeymap() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  XkbComponentNamesRec names{};
  names.keycodes = const_cast<char*>("evdev+aliases(qwerty)");
  names.types = const_cast<char*>("complete");
  names.compat = const_cast<char*>("complete");
  names.symbols = const_cast<char*>("pc+us+gr:2+inet(evdev)");
  XkbDescPtr keyboard =
      XkbGetKeyboardByName(display, XkbUseCoreKbd, &names, XkbGBN_AllComponentsMask,
                           XkbGBN_AllComponentsMask & ~XkbGBN_GeometryMask, True);
  const bool loaded = keyboard != nullptr;
  if (keyboard) XkbFreeKeyboard(keyboard, 0, True);
  XCloseDisplay(display);
  return loaded;
}

}  // namespace quorvel::test

// Keyboard layouts of the desktop: the installed layouts with the language each one types, and
// switching the active one. On X11 the layouts are the XKB groups of the core keyboard; without
// X11 (another Qt platform, or no display) no layout is found and activation does nothing.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform {

struct KeyboardLayout {
  int handle = 0;        // never 0; 0 stands for "no layout" in the callers
  std::string language;  // the English name of the layout's language, empty when unknown
};

class KeyboardLayouts {
 public:
  virtual ~KeyboardLayouts() = default;

  // At most `limit` layouts, in the platform's order.
  virtual std::vector<KeyboardLayout> Installed(int limit) = 0;
  // Makes `handle` the active layout; an unknown handle is ignored.
  virtual void Activate(int handle) = 0;
  // The handle of the active layout; 0 when it cannot be told.
  virtual int Active() = 0;
};

// The layouts of the display the application runs on. Requires a QGuiApplication.
std::unique_ptr<KeyboardLayouts> CreateSystemKeyboardLayouts();

// The language of an XKB group name: the name up to its first " (" ("English (US)" gives
// "English", "Greek" gives "Greek").
std::string LanguageOfGroupName(std::string_view groupName);

// Layouts held in memory, for tests: a fixed list and the active handle.
class FakeKeyboardLayouts : public KeyboardLayouts {
 public:
  explicit FakeKeyboardLayouts(std::vector<KeyboardLayout> layouts) : layouts_(std::move(layouts)) {}

  std::vector<KeyboardLayout> Installed(int limit) override;
  void Activate(int handle) override;
  int Active() override { return active_; }

  int activations() const { return activations_; }

 private:
  std::vector<KeyboardLayout> layouts_;
  int active_ = 0;
  int activations_ = 0;
};

}  // namespace quorvel::platform

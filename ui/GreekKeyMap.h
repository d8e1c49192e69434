// The standard Greek keyboard, for a search box on a system without a Greek layout: Latin
// letter keys give the Greek letters at their places, ";" is the dead key of the tonos and ":"
// that of the dialytika.
#pragma once

#include <QString>

namespace quorvel::ui {

class GreekKeyMap {
 public:
  // The text that the key's `typed` text gives on the Greek keyboard, taking a pending dead key
  // into account. Nothing (an empty string) while a dead key waits for its letter. Text that
  // the Greek keyboard has no other meaning for passes through unchanged.
  QString Map(const QString& typed);
  bool DeadKeyPending() const { return dead_ != 0; }
  void Reset() { dead_ = 0; }

 private:
  char16_t dead_ = 0;  // 0, or the accent of the pending dead key
};

}  // namespace quorvel::ui

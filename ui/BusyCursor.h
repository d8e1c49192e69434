// The busy cursor for the lifetime of a scope: shown on entry, and the cursor that was there
// before put back on every way out.
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace quorvel::ui {

class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace quorvel::ui

// Long work without a frozen window: the work runs on a worker thread while the window thread
// keeps every window painted. User input waits until the work has ended, as it would if the
// window thread did the work itself.
#pragma once

#include <functional>

namespace quorvel::ui {

// Runs `work` on a worker thread and returns when it has ended; meanwhile the calling thread
// handles the window system's events other than user input (painting above all). An exception
// `work` throws is rethrown here. REQUIRES: the calling thread is the window thread, and
// nothing it may run meanwhile (a timer, a clipboard notice) changes what `work` uses.
void RunKeepingPainted(const std::function<void()>& work);

// True while RunKeepingPainted waits for its work: what may run meanwhile on the window thread
// asks this before it changes anything the work could use.
bool LongWorkRunning();

}  // namespace quorvel::ui

#include "ui/KeepPainted.h"

#include <QEventLoop>
#include <QThread>

#include <exception>
#include <memory>

namespace quorvel::ui {
namespace {

bool running = false;  // read and written on the window thread only

}  // namespace

bool LongWorkRunning() { return running; }

void RunKeepingPainted(const std::function<void()>& work) {
  std::exception_ptr failure;
  QEventLoop loop;
  const std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  // Queued to this thread: an early end still reaches the loop once it runs.
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  worker->start();
  running = true;
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  running = false;
  worker->wait();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace quorvel::ui

#include "core/ParallelChunks.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace quorvel {

int ThreadCount(int threads) {
  return threads > 0 ? threads : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void RunChunks(int count, int threads, const std::function<void(int)>& work) {
  std::atomic<int> next{0};
  std::mutex failureMutex;
  std::exception_ptr failure;
  auto run = [&] {
    for (int chunk = next++; chunk < count; chunk = next++) {
      try {
        work(chunk);
      } catch (...) {
        const std::lock_guard<std::mutex> lock(failureMutex);
        if (!failure) failure = std::current_exception();
        next = count;
      }
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < std::min(threads, count); ++t) {
    try {
      helpers.emplace_back(run);
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones running do the work
    }
  }
  run();
  for (std::thread& helper : helpers) helper.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace quorvel

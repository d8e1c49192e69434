// Work cut into numbered chunks and run on several threads at once, for the long passes over
// every description (the description search and the word index build).
#pragma once

#include <functional>

namespace quorvel {

// `threads` as asked, or one per core for 0 (at least one).
int ThreadCount(int threads);

// Runs work(chunk) for every chunk 0..count-1 on up to `threads` threads, the calling thread
// among them, chunks taken in ascending order. The first exception a chunk throws stops the
// remaining chunks and is rethrown once every thread has ended.
void RunChunks(int count, int threads, const std::function<void(int)>& work);

}  // namespace quorvel

#include "clock/worker_pool.h"

#include <algorithm>

namespace tdialix {

TWorkerPool::TWorkerPool(unsigned threads) {
  for (unsigned k = 1; k < std::max(threads, 1u); ++k) Helpers.emplace_back([this] { Loop(); });
}

TWorkerPool::~TWorkerPool() {
  {
    std::lock_guard<std::mutex> lock(Mutex);
    Stopping = true;
  }
  Wake.notify_all();
  for (std::thread& helper : Helpers) helper.join();
}

void TWorkerPool::Run(int count, int chunk, const std::function<void(int, int)>& work) {
  if (count <= 0) return;
  std::lock_guard<std::mutex> one(RunMutex);
  {
    std::lock_guard<std::mutex> lock(Mutex);
    Job = &work;
    Count = count;
    Chunk = std::max(chunk, 1);
    Next = 0;
    Busy = static_cast<unsigned>(Helpers.size());
    Failure = nullptr;
    ++Round;
  }
  Wake.notify_all();
  Take();
  std::unique_lock<std::mutex> lock(Mutex);
  Done.wait(lock, [this] { return Busy == 0; });
  Job = nullptr;
  if (Failure) std::rethrow_exception(Failure);
}

void TWorkerPool::Take() {
  try {
    for (int from = Next.fetch_add(Chunk); from < Count; from = Next.fetch_add(Chunk)) {
      (*Job)(from, std::min(from + Chunk, Count));
    }
  } catch (...) {
    std::lock_guard<std::mutex> lock(Mutex);
    if (!Failure) Failure = std::current_exception();
    Next = Count;  // the others stop too
  }
}

void TWorkerPool::Loop() {
  unsigned seen = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(Mutex);
      Wake.wait(lock, [&] { return Stopping || Round != seen; });
      if (Stopping) return;
      seen = Round;
    }
    Take();
    std::lock_guard<std::mutex> lock(Mutex);
    if (--Busy == 0) Done.notify_all();
  }
}

}  // namespace tdialix

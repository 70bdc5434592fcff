// A few threads that share one piece of pixel work at a time: the rows of an
// image, handed out a few at a time. The thread that asks works along.
#pragma once

#include <atomic>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tdialix {

class TWorkerPool {
 public:
  // threads: how many threads work, the asking one included (at least one).
  explicit TWorkerPool(unsigned threads);
  ~TWorkerPool();
  TWorkerPool(const TWorkerPool&) = delete;
  TWorkerPool& operator=(const TWorkerPool&) = delete;

  unsigned Threads() const { return static_cast<unsigned>(Helpers.size()) + 1; }

  // Runs work(from, to) over 0 ... count - 1 in pieces of chunk, on every
  // thread, and returns when all is done. One run at a time: a second caller
  // waits. An exception of the work comes back here.
  void Run(int count, int chunk, const std::function<void(int from, int to)>& work);

 private:
  void Loop();
  void Take();

  std::vector<std::thread> Helpers;
  std::mutex RunMutex;  // one run at a time
  std::mutex Mutex;
  std::condition_variable Wake;
  std::condition_variable Done;
  const std::function<void(int, int)>* Job = nullptr;
  int Count = 0;
  int Chunk = 1;
  std::atomic<int> Next{0};
  unsigned Round = 0;
  unsigned Busy = 0;
  bool Stopping = false;
  std::exception_ptr Failure;
};

}  // namespace tdialix

// The window's thread in tests: the test's own, running the calls the work posts to it.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "ui/window_work.h"

namespace zendrift::testing {

// The window's thread: the test's own, running the posted calls in turn.
class WindowThread {
 public:
  ui::PostToWindow post() {
    return [this](std::function<void()> call) {
      const std::lock_guard lock(mutex_);
      calls_.push_back(std::move(call));
      posted_.notify_one();
    };
  }
  // Runs posted calls until one of them sets `done`.
  void runUntil(const bool& done) {
    runWhile([&done] { return !done; });
  }
  // Runs posted calls while `going` says so.
  void runWhile(const std::function<bool()>& going) {
    while (going()) {
      std::function<void()> call;
      {
        std::unique_lock lock(mutex_);
        posted_.wait(lock, [this] { return !calls_.empty(); });
        call = std::move(calls_.front());
        calls_.pop_front();
      }
      call();
    }
  }
  std::size_t waiting() {
    const std::lock_guard lock(mutex_);
    return calls_.size();
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> calls_;
};

}  // namespace zendrift::testing

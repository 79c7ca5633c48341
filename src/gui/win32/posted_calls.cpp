// The queue between the worker thread and the window's thread.
#include "gui/win32/posted_calls.h"

namespace zendrift::win32 {

void PostedCalls::setWindow(HWND window) noexcept {
  const std::lock_guard lock(mutex_);
  window_ = window;
}

void PostedCalls::post(std::function<void()> call) {
  const std::lock_guard lock(mutex_);
  calls_.push_back(std::move(call));
  if (wakeSent_ || !window_) return;
  wakeSent_ = PostMessageW(window_, message_, 0, 0) != 0;
}

void PostedCalls::runPending() {
  std::deque<std::function<void()>> batch;
  {
    const std::lock_guard lock(mutex_);
    batch.swap(calls_);
    wakeSent_ = false;
  }
  while (!batch.empty()) {
    std::function<void()> call = std::move(batch.front());
    batch.pop_front();
    try {
      call();
    } catch (...) {
      // What is left goes back in front of anything posted meanwhile, and runs on the next turn.
      const std::lock_guard lock(mutex_);
      calls_.insert(calls_.begin(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
      if (!calls_.empty() && !wakeSent_ && window_) wakeSent_ = PostMessageW(window_, message_, 0, 0) != 0;
      throw;
    }
  }
}

}  // namespace zendrift::win32

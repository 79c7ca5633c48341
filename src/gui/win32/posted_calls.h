// PostedCalls: work handed from a worker thread to the window's thread through its message queue.
//
// A worker queues a call and posts one message to wake the window; the window runs every queued
// call when that message arrives. The window never waits for the worker, and no nested message
// loop is needed: the calls run from the ordinary loop, one batch per message.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace zendrift::win32 {

class PostedCalls {
 public:
  // `message` is what the window receives; its procedure calls runPending() for it.
  explicit PostedCalls(UINT message) noexcept : message_(message) {}

  void setWindow(HWND window) noexcept;
  // From any thread: queues the call and wakes the window unless a wake-up is already on its way.
  void post(std::function<void()> call);
  // On the window's thread: runs the calls queued so far, in the order they were posted. A call
  // that throws leaves the rest queued behind a fresh wake-up, so nothing is lost.
  void runPending();
  UINT message() const noexcept { return message_; }

 private:
  const UINT message_;
  HWND window_ = nullptr;
  std::mutex mutex_;
  std::deque<std::function<void()>> calls_;
  bool wakeSent_ = false;
};

}  // namespace zendrift::win32

// The hook through which long work on the window's thread lets pending window events run.
#include "platform/process.h"

namespace zendrift::platform {

namespace {
std::function<void()>& eventPump() {
  static std::function<void()> pump;
  return pump;
}
}  // namespace

void setEventPump(std::function<void()> pump) { eventPump() = std::move(pump); }

void pumpEvents() {
  if (const auto& pump = eventPump()) pump();
}

}  // namespace zendrift::platform

// Runs a window's event handler so that nothing it throws unwinds into the toolkit's dispatch
// (through Qt's event loop or the system's window procedure that is undefined): the error goes
// to the window's error box instead, and the window goes on.
#pragma once

#include <exception>
#include <string_view>

namespace zendrift::ui {

template <class Handler, class ShowError>
void guardedCall(Handler&& handler, ShowError&& showError) {
  try {
    handler();
  } catch (const std::exception& error) {
    showError(std::string_view(error.what()));
  } catch (...) {
    showError(std::string_view("Unknown error."));
  }
}

}  // namespace zendrift::ui

// WindowObject: the C++ object behind one of our Win32 windows. Its class's window procedure
// finds the object through the window's user data, set as the window is created, and hands it
// every message; each window only answers its messages.
#pragma once

#include <windows.h>

namespace zendrift::win32 {

// What a window class looks like before its window paints anything.
struct WindowClassLook {
  UINT style = 0;
  const wchar_t* cursor = IDC_ARROW;
  HICON icon = nullptr;
  HBRUSH background = nullptr;
};

class WindowObject {
 public:
  WindowObject(const WindowObject&) = delete;
  WindowObject& operator=(const WindowObject&) = delete;

  HWND handle() const noexcept { return window_; }

 protected:
  WindowObject() = default;
  ~WindowObject() = default;

  // Registers `name` with the procedure that hands messages to the objects of that class; the
  // object is passed as CreateWindowExW's last argument.
  static void registerClass(HINSTANCE instance, const wchar_t* name, const WindowClassLook& look);
  // Lets the window go without one more message reaching the object that is going.
  void destroyWindow() noexcept;

  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  HWND window_ = nullptr;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace zendrift::win32

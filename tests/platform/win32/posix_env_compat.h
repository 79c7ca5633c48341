// setenv and unsetenv for the Windows C library, which names them _putenv_s. Force-included into
// the shared test helpers of a Windows build only (see attach.cmake).
#pragma once

#ifdef _WIN32
#include <cstdlib>

inline int setenv(const char* name, const char* value, int overwrite) {
  if (!overwrite && std::getenv(name)) return 0;
  return _putenv_s(name, value);
}

// An empty value removes the variable.
inline int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif

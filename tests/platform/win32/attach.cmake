# Brings the Windows-only tests (tests/platform/win32, tests/e2e/windows) into a Windows build
# of the whole tree. Included right after project() (CMAKE_PROJECT_Zendrift_INCLUDE, set by
# scripts/windows-tests.sh); the work is deferred to the end of the top-level list, when
# zendrift_add_test and the other tests exist.
if(NOT WIN32)
  return()
endif()

# The tests carry a version resource of their own; the language must be enabled at file scope.
enable_language(RC)

# Test programs left out of the Windows build. The first three test the POSIX back end itself
# (permissions, extended attributes, Wine prefixes built with symbolic links). search_tests and
# settings_tests have POSIX-only pieces (sys/xattr.h, XDG_CONFIG_HOME) that still need a Windows
# form. e2e_tests starts the program with posix_spawn over Wine-style prefixes;
# tests/e2e/windows does that the Windows way.
set(zendrift_windows_skipped_tests
  platform_tests wine_profile_tests sysfolders_tests search_tests settings_tests e2e_tests)

function(zendrift_attach_windows_tests)
  if(NOT ZENDRIFT_TESTS OR NOT TARGET zendrift_testsupport)
    return()
  endif()
  if(NOT TARGET platform_win32_tests)
    # Imported targets belong to the folder that found them: find GoogleTest here too.
    find_package(GTest REQUIRED)
    include(GoogleTest)
    # Deferred calls may not add directories; the list names its sources by full path instead.
    include(${PROJECT_SOURCE_DIR}/tests/platform/win32/CMakeLists.txt)
  endif()
  if(NOT TARGET e2e_windows_tests AND TARGET zendrift AND TARGET zd_sysfolders)
    include(${PROJECT_SOURCE_DIR}/tests/e2e/windows/CMakeLists.txt)
  endif()
  foreach(skipped IN LISTS zendrift_windows_skipped_tests)
    if(TARGET ${skipped})
      set_target_properties(${skipped} PROPERTIES EXCLUDE_FROM_ALL ON)
      message(STATUS "Not built for Windows: ${skipped}")
    endif()
  endforeach()
  # The shared test helpers set variables with POSIX setenv/unsetenv, which the Windows C library
  # lacks; give them the C library's equivalents until the helpers do that themselves.
  file(READ ${PROJECT_SOURCE_DIR}/tests/support/temp_dir.cpp helpers)
  string(FIND "${helpers}" "::setenv" posixSetenv)
  if(NOT posixSetenv EQUAL -1)
    target_compile_options(zendrift_testsupport PRIVATE
      -include ${PROJECT_SOURCE_DIR}/tests/platform/win32/posix_env_compat.h)
  endif()
endfunction()

cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL zendrift_attach_windows_tests)

# The Windows build's tests: GoogleTest compiled from Debian's sources with the cross compiler,
# one test main that keeps every system dialog away, and each test program run whole under Wine.

set(T3D_GOOGLETEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest sources to build")
if(NOT EXISTS ${T3D_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${T3D_GOOGLETEST_SOURCE} (Debian: googletest)")
endif()
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${T3D_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# GoogleTest brings its own warning flags; ours (-Wconversion -Werror) are not meant for it.
set_target_properties(gtest PROPERTIES COMPILE_OPTIONS "")
# The compiler's win32 thread model has no std::mutex; this customisation header gives GoogleTest
# the one class that needs it, ahead of Debian's empty one.
target_include_directories(gtest BEFORE PUBLIC ${CMAKE_CURRENT_LIST_DIR}/gtest-port)

add_library(t3d_windows_test_main STATIC ${CMAKE_CURRENT_LIST_DIR}/WindowsTestMain.cpp)
target_link_libraries(t3d_windows_test_main PUBLIC gtest)

# Wine keeps its prefix in the build tree. Creating it is the slow part of Wine's first start, so
# it happens once, at build time, without the installers that would ask for .NET or a browser
# engine; every test run then reuses it.
set(T3D_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(T3D_WINE_ENVIRONMENT
  WINEPREFIX=${T3D_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= WINEARCH=win32)
if(CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(T3D_WINEBOOT wineboot REQUIRED)
  find_program(T3D_WINESERVER wineserver PATHS /usr/lib/wine REQUIRED)
  add_custom_command(OUTPUT ${T3D_WINEPREFIX}/system.reg
    COMMAND ${CMAKE_COMMAND} -E env ${T3D_WINE_ENVIRONMENT} ${T3D_WINEBOOT} -i
    COMMAND ${CMAKE_COMMAND} -E env ${T3D_WINE_ENVIRONMENT} ${T3D_WINESERVER} -w
    COMMENT "Creating the Wine prefix for the tests"
    VERBATIM)
  add_custom_target(t3d_wine_prefix ALL DEPENDS ${T3D_WINEPREFIX}/system.reg)
endif()

# Makes `name` a Windows test program: GoogleTest with the dialog-free main, run whole under
# Wine (one Wine start per program, not per test).
function(t3d_windows_test_program name)
  target_link_libraries(${name} PRIVATE t3d_windows_test_main)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T3D_WINE_ENVIRONMENT}" TIMEOUT 600)
endfunction()

# The Windows build's tests: GoogleTest compiled from Debian's sources with the cross compiler,
# one test main that keeps every system dialog away, and each test program run whole under Wine
# (or skipped where Wine cannot run).

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

include(${CMAKE_CURRENT_LIST_DIR}/UnderWine.cmake)

# Makes `name` a Windows test program: GoogleTest with the dialog-free main, run whole under
# Wine (one Wine start per program, not per test).
function(t3d_windows_test_program name)
  target_link_libraries(${name} PRIVATE t3d_windows_test_main)
  add_test(NAME ${name} COMMAND ${T3D_UNDER_WINE} ${T3D_WINE} $<TARGET_FILE:${name}>
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  t3d_under_wine(${name} 600)
endfunction()

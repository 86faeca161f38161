# The Windows test programs run under Wine where this machine can run them, and show as skipped,
# with the reason, where it cannot (a kernel without 32-bit programs, say). Whether it can is
# decided by trying, once per test run: the wine_probe test makes the prefix (in the build tree,
# so a run never touches the user's own) and starts a trivial program in it; every Windows test
# then goes through under-wine.sh, which runs it or reports the probe's reason.
find_program(T3D_WINE wine)
if(NOT T3D_WINE)
  # Left to the probe, which then says that Wine is not there.
  set(T3D_WINE wine)
endif()
set(T3D_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(T3D_WINE_ENVIRONMENT
  WINEPREFIX=${T3D_WINEPREFIX} WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= WINEARCH=win32)
set(T3D_WINE_STATUS ${CMAKE_BINARY_DIR}/wine-status)
set(T3D_WINE_SKIPPED 77)
# Prefix this to a command line that runs Wine: it runs as is, or is skipped.
set(T3D_UNDER_WINE sh ${CMAKE_CURRENT_LIST_DIR}/under-wine.sh ${T3D_WINE_STATUS})

add_test(NAME wine_probe
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/wine-probe.sh ${T3D_WINE_STATUS} ${T3D_WINE})
set_tests_properties(wine_probe PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${T3D_WINE_ENVIRONMENT}"
  SKIP_RETURN_CODE ${T3D_WINE_SKIPPED} TIMEOUT 600)

# Makes test `name` one that runs under Wine after the probe.
function(t3d_under_wine name timeout)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine ENVIRONMENT "${T3D_WINE_ENVIRONMENT}"
    SKIP_RETURN_CODE ${T3D_WINE_SKIPPED} TIMEOUT ${timeout})
endfunction()

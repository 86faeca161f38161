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

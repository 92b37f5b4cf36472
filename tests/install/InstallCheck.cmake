# Installs the build into a fresh prefix and checks the program, its windows' program, its menu
# entry and its icon.
# Run as: cmake -DBUILD_DIR=<build> -DPREFIX=<empty dir> -P InstallCheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "install failed (${result}):\n${output}")
endif()

set(program "${PREFIX}/bin/quillon")
set(windows "${PREFIX}/libexec/quillon/quillon-windows")
set(desktop "${PREFIX}/share/applications/quillon.desktop")
set(icon "${PREFIX}/share/icons/hicolor/scalable/apps/quillon.svg")
# Help in the calculator names the README there.
set(readme "${PREFIX}/share/doc/quillon/README.md")
foreach(path IN ITEMS "${program}" "${windows}" "${desktop}" "${icon}" "${readme}")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
# The installed program runs: without a display it says so and stops, instead of crashing.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        --unset=QT_QPA_PLATFORM "${program}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 1 OR NOT output MATCHES "needs a display")
  message(FATAL_ERROR "installed program did not run (${result}): ${output}")
endif()

# With a display the installed program hands over to the windows, which then keep running: a
# program still running after the timeout started; a failed hand-over ends at once.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen "${program}"
                TIMEOUT 3 RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result MATCHES "timeout")
  message(FATAL_ERROR "installed program did not start its windows (${result}): ${output}")
endif()

# The menu entry must start the installed program and name the installed icon.
file(STRINGS "${desktop}" exec_line REGEX "^Exec=")
file(STRINGS "${desktop}" icon_line REGEX "^Icon=")
if(NOT exec_line MATCHES "^Exec=quillon( |$)" OR NOT icon_line STREQUAL "Icon=quillon")
  message(FATAL_ERROR "menu entry does not point at the program and its icon: ${exec_line} ${icon_line}")
endif()
file(READ "${icon}" svg LIMIT 4096)
if(NOT svg MATCHES "<svg")
  message(FATAL_ERROR "icon is not an SVG picture: ${icon}")
endif()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${desktop}" RESULT_VARIABLE result
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0 OR output MATCHES "error")
    message(FATAL_ERROR "desktop-file-validate:\n${output}")
  endif()
else()
  message(STATUS "desktop-file-validate not found; menu entry checked by hand only")
endif()
file(REMOVE_RECURSE "${PREFIX}")
message(STATUS "installed and checked: ${program} ${desktop} ${icon}")

# Builds the Debian package, unpacks it and runs the program from it.
# Run as: cmake -DBUILD_DIR=<build> -DCPACK=<cpack> -DOUT=<scratch dir> -P DebianPackage.cmake
file(REMOVE_RECURSE "${OUT}")
execute_process(COMMAND "${CPACK}" -G DEB -B "${OUT}" WORKING_DIRECTORY "${BUILD_DIR}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB packages "${OUT}/*.deb")
list(LENGTH packages count)
if(NOT result EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack -G DEB failed (${result}):\n${output}")
endif()

set(root "${OUT}/root")
execute_process(COMMAND dpkg-deb -x "${packages}" "${root}" RESULT_VARIABLE result
                ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed: ${output}")
endif()
foreach(path IN ITEMS bin/quillon libexec/quillon/quillon-windows share/applications/quillon.desktop
                      share/icons/hicolor/scalable/apps/quillon.svg
                      share/man/man1/quillon.1 share/doc/quillon/README.md)
  if(NOT EXISTS "${root}/usr/${path}")
    message(FATAL_ERROR "not in the package: /usr/${path}")
  endif()
endforeach()

# The packaged program runs, display or not.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        --unset=QT_QPA_PLATFORM "${root}/usr/bin/quillon" --version
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT output MATCHES "^quillon [0-9.]+\n$")
  message(FATAL_ERROR "packaged quillon --version (${result}): ${output}")
endif()

# The libraries the program links come from the packages it depends on.
execute_process(COMMAND dpkg-deb -f "${packages}" Depends OUTPUT_VARIABLE depends)
foreach(needed IN ITEMS libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 libjpeg62-turbo libc6)
  if(NOT depends MATCHES "(^|, )${needed} ")
    message(FATAL_ERROR "package does not depend on ${needed}: ${depends}")
  endif()
endforeach()
file(REMOVE_RECURSE "${OUT}")
message(STATUS "packaged and checked: ${packages} (Depends: ${depends})")

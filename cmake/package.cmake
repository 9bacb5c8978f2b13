# The manual pages, installed gzipped as Debian keeps them, and the Debian
# package: `cmake --build build/release --target package` makes
# tessera_<version>_amd64.deb in the build folder. It holds the "runtime"
# install component alone, so nothing of the tests, benchmarks or tools.
include(GNUInstallDirs)

set(tessera_pages tessera-design)
if(TESSERA_GUI)
  list(APPEND tessera_pages tessera)
endif()
set(tessera_gzipped_pages)
foreach(page ${tessera_pages})
  set(gzipped ${PROJECT_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gzipped}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/doc/man/${page}.1 ${PROJECT_BINARY_DIR}/man/${page}.1
    COMMAND gzip -9 -n -f ${PROJECT_BINARY_DIR}/man/${page}.1
    DEPENDS ${PROJECT_SOURCE_DIR}/doc/man/${page}.1
    COMMENT "Compressing the manual page ${page}(1)"
    VERBATIM)
  list(APPEND tessera_gzipped_pages ${gzipped})
endforeach()
add_custom_target(tessera_manual_pages ALL DEPENDS ${tessera_gzipped_pages})
install(FILES ${tessera_gzipped_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessera)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TESSERA maintainers")
set(CPACK_PACKAGE_CONTACT "TESSERA maintainers <maintainers@users.noreply.c-seed-78d362d4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design tool for a four-section active equaliser")
# The long description, under the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TESSERA designs an active equaliser built from op-amp multiple-feedback
band-pass stages, two that boost and two that cut, with the resistors snapped
to E12 or E24 standard values. It imports a measured frequency response, shows
the response of the real parts against it and fits the sections to a target,
exports SPICE netlists and FRD curves, and shows the effect of a real op-amp
and of part tolerances.
.
The package holds the desktop program tessera and the command-line program
tessera-design, which does the same work without windows.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends: what dpkg-shlibdeps finds the two programs linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The exported netlists are simulated with it; nothing needs it to run.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS ngspice)
# Qt's own file and print dialogs in German when the program speaks German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};runtime;/")
include(CPack)

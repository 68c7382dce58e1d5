# What `cmake --install` puts where. The library of the platform's backend
# (libaxtrack.so on the Linux desktop, libaxtrack.dylib on macOS) with the
# header, a CMake package (find_package(axtrack) gives axtrack::axtrack) and
# a pkg-config file; and, as a kit for testing hosts, the simulated desktop:
# its library for hosts (libaxtrack-simdesk), the kit's library and header
# (libaxtrack-kit, axtrack/axtrack_kit.h) with its example, the player and
# the tour.
include_guard(GLOBAL)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(FILES ${PROJECT_SOURCE_DIR}/include/axtrack/axtrack.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/axtrack)

if(TARGET axtrack)
  # The ABI's version is the major one. On macOS the install name stays
  # @rpath/libaxtrack.dylib (hosts and their run paths name that file); the
  # versions go into the library's compatibility and current version.
  if(APPLE)
    set_target_properties(axtrack PROPERTIES MACHO_COMPATIBILITY_VERSION ${PROJECT_VERSION_MAJOR}.0.0
                          MACHO_CURRENT_VERSION ${PROJECT_VERSION})
  else()
    set_target_properties(axtrack PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  endif()
  target_include_directories(axtrack INTERFACE $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  install(TARGETS axtrack EXPORT axtrackTargets LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(EXPORT axtrackTargets NAMESPACE axtrack:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/axtrack)

  set(config ${PROJECT_BINARY_DIR}/package/axtrackConfig.cmake)
  file(CONFIGURE OUTPUT ${config} CONTENT [[
# axtrack: the library of this platform's desktop backend, as the imported
# target axtrack::axtrack (the library and the include folder of
# <axtrack/axtrack.h>). Hosts usually load it with dlopen(RTLD_LOCAL) instead
# of linking it: its entry points have short, generic names.
include("${CMAKE_CURRENT_LIST_DIR}/axtrackTargets.cmake")
]] @ONLY)
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/axtrackConfigVersion.cmake
                                   COMPATIBILITY SameMajorVersion)
  install(FILES ${config} ${PROJECT_BINARY_DIR}/package/axtrackConfigVersion.cmake
          DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/axtrack)

  # Relocatable: the prefix is found from where the file was installed, not
  # taken from the configuration (lib/pkgconfig, or lib/<triplet>/pkgconfig).
  file(RELATIVE_PATH pc_up /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  string(REGEX REPLACE "/$" "" pc_up "${pc_up}")
  set(pc ${PROJECT_BINARY_DIR}/package/axtrack.pc)
  file(CONFIGURE OUTPUT ${pc} CONTENT [[
prefix=${pcfiledir}/@pc_up@
libdir=${prefix}/@CMAKE_INSTALL_LIBDIR@
includedir=${prefix}/@CMAKE_INSTALL_INCLUDEDIR@

Name: axtrack
Description: Follows focus and selection in other applications through the accessibility interface
Version: @PROJECT_VERSION@
Libs: -L${libdir} -laxtrack
Cflags: -I${includedir}
]] @ONLY)
  install(FILES ${pc} DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

# The kit for testing hosts: a host's tests load libaxtrack-simdesk in place
# of the real library and drive the simulated desktop with scenario files,
# through the player or through the desktop's own library.
if(TARGET axtrack-simdesk)
  if(APPLE)
    set(origin "@loader_path")
  else()
    set(origin "$ORIGIN")
  endif()
  set_target_properties(simdesk axtrack-simdesk PROPERTIES INSTALL_RPATH "${origin}")
  set_target_properties(axtrack-play PROPERTIES INSTALL_RPATH "${origin}/../${CMAKE_INSTALL_LIBDIR}")
  set_target_properties(axtrack-kit PROPERTIES INSTALL_RPATH "${origin}")
  install(TARGETS simdesk axtrack-simdesk axtrack-kit LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/tools/kit/axtrack_kit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/axtrack)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/kit-host/kit_host.c ${PROJECT_SOURCE_DIR}/examples/kit-host/selection.json
          ${PROJECT_SOURCE_DIR}/examples/kit-host/selection.expected DESTINATION ${CMAKE_INSTALL_DATADIR}/axtrack/kit-host)
  install(TARGETS axtrack-play RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/examples/tour.json ${PROJECT_SOURCE_DIR}/examples/tour.expected
          ${PROJECT_SOURCE_DIR}/docs/scenarios.md DESTINATION ${CMAKE_INSTALL_DATADIR}/axtrack)
endif()

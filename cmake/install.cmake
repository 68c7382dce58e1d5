# What `cmake --install` puts where: the header, the library a host loads
# with a CMake package (find_package(axtrack) gives axtrack::axtrack) and a
# pkg-config file (axtrack), and, as a kit for testing hosts, the simulated
# desktop: its library for hosts (libaxtrack-simdesk, axtrack::simdesk), the
# kit's library and header (libaxtrack-kit, axtrack/axtrack_kit.h,
# axtrack::kit, pkg-config axtrack-kit) with its example, the player and the
# tour.
#
# The library a host loads is the platform's backend (libaxtrack.so on the
# Linux desktop, libaxtrack.dylib on macOS) when the build has one. A build
# without one (no Linux desktop packages) installs the simulated desktop's
# library in its place, under the same package and pkg-config names: hosts
# build and run against such an install as against any other, on the
# simulated desktop. The package's axtrack_BACKEND and the pkg-config
# variable `backend` say which it is (linux, macos or simdesk).
include_guard(GLOBAL)
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

if(APPLE)
  set(axtrack_origin "@loader_path")
else()
  set(axtrack_origin "$ORIGIN")
endif()

# An install after a build of some targets only would stop at the first
# file missing, with the file's path only; this names every missing one and
# the command that builds them, before anything is copied.
set(axtrack_installed_targets "")
foreach(target axtrack simdesk axtrack-simdesk axtrack-kit axtrack-play)
  if(TARGET ${target})
    list(APPEND axtrack_installed_targets "$<TARGET_FILE:${target}>")
  endif()
endforeach()
install(CODE "
  set(missing \"\")
  foreach(file ${axtrack_installed_targets})
    if(NOT EXISTS \"\${file}\")
      get_filename_component(name \"\${file}\" NAME)
      string(APPEND missing \" \${name}\")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR \"axtrack: not built:\${missing}. Build everything the install holds first: \"
            \"cmake --build ${PROJECT_BINARY_DIR}\")
  endif()
")

install(FILES ${PROJECT_SOURCE_DIR}/include/axtrack/axtrack.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/axtrack)

if(TARGET axtrack)
  set(axtrack_host_library axtrack)
  if(APPLE)
    set(axtrack_backend macos)
  else()
    set(axtrack_backend linux)
  endif()
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
elseif(TARGET axtrack-simdesk)
  set(axtrack_host_library axtrack-simdesk)
  set(axtrack_backend simdesk)
endif()

# The kit for testing hosts: a host's tests load libaxtrack-simdesk in place
# of the real library and drive the simulated desktop with scenario files,
# through the player or through the desktop's own library.
if(TARGET axtrack-simdesk)
  set_target_properties(simdesk axtrack-simdesk axtrack-kit PROPERTIES INSTALL_RPATH "${axtrack_origin}")
  set_target_properties(axtrack-play PROPERTIES INSTALL_RPATH "${axtrack_origin}/../${CMAKE_INSTALL_LIBDIR}")
  install(TARGETS simdesk axtrack-simdesk axtrack-kit LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/tools/kit/axtrack_kit.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/axtrack)
  install(FILES ${PROJECT_SOURCE_DIR}/examples/kit-host/kit_host.c ${PROJECT_SOURCE_DIR}/examples/kit-host/selection.json
          ${PROJECT_SOURCE_DIR}/examples/kit-host/selection.expected DESTINATION ${CMAKE_INSTALL_DATADIR}/axtrack/kit-host)
  install(TARGETS axtrack-play RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/examples/tour.json ${PROJECT_SOURCE_DIR}/examples/tour.expected
          ${PROJECT_SOURCE_DIR}/docs/scenarios.md DESTINATION ${CMAKE_INSTALL_DATADIR}/axtrack)
endif()

if(NOT axtrack_host_library)
  return()
endif()
get_target_property(axtrack_host_name ${axtrack_host_library} OUTPUT_NAME)
if(NOT axtrack_host_name)
  set(axtrack_host_name ${axtrack_host_library})
endif()
message(STATUS "The library hosts load, as installed: ${CMAKE_SHARED_LIBRARY_PREFIX}${axtrack_host_name}"
        "${CMAKE_SHARED_LIBRARY_SUFFIX} (package axtrack, backend ${axtrack_backend})")

# The CMake package. axtrack::axtrack is the library a host loads: the
# backend's where the build has one (exported), else axtrack::simdesk. The
# kit's libraries are declared by the package file itself: their own links
# (the simulated desktop's core, the scenario reader) are no host's concern.
if(TARGET axtrack)
  install(EXPORT axtrackTargets NAMESPACE axtrack:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/axtrack)
  set(config_targets [[include("${CMAKE_CURRENT_LIST_DIR}/axtrackTargets.cmake")]])
else()
  set(config_targets "")
endif()
file(RELATIVE_PATH config_up /${CMAKE_INSTALL_LIBDIR}/cmake/axtrack /)
set(config ${PROJECT_BINARY_DIR}/package/axtrackConfig.cmake)
file(CONFIGURE OUTPUT ${config} CONTENT [[
# axtrack: axtrack::axtrack is the library a host loads (with the include
# folder of <axtrack/axtrack.h>); axtrack_BACKEND says which desktop it is
# for: linux, macos, or simdesk for the simulated desktop, which a build
# without a desktop backend installs in its place. The kit for testing hosts
# is axtrack::kit (<axtrack/axtrack_kit.h>) with axtrack::simdesk, where
# installed. Hosts usually load the library with dlopen(RTLD_LOCAL) instead
# of linking it: its entry points have short, generic names.
@config_targets@
set(axtrack_BACKEND @axtrack_backend@)
get_filename_component(_axtrack_prefix "${CMAKE_CURRENT_LIST_DIR}/@config_up@" ABSOLUTE)
foreach(_axtrack_kit_part simdesk kit)
  set(_axtrack_file "${_axtrack_prefix}/@CMAKE_INSTALL_LIBDIR@/@CMAKE_SHARED_LIBRARY_PREFIX@axtrack-${_axtrack_kit_part}@CMAKE_SHARED_LIBRARY_SUFFIX@")
  if(EXISTS "${_axtrack_file}" AND NOT TARGET axtrack::${_axtrack_kit_part})
    add_library(axtrack::${_axtrack_kit_part} SHARED IMPORTED)
    set_target_properties(axtrack::${_axtrack_kit_part} PROPERTIES IMPORTED_LOCATION "${_axtrack_file}"
                          INTERFACE_INCLUDE_DIRECTORIES "${_axtrack_prefix}/@CMAKE_INSTALL_INCLUDEDIR@")
  endif()
endforeach()
if(TARGET axtrack::kit)
  set_property(TARGET axtrack::kit APPEND PROPERTY INTERFACE_LINK_LIBRARIES ${CMAKE_DL_LIBS})
endif()
if(NOT TARGET axtrack::axtrack AND TARGET axtrack::simdesk)
  add_library(axtrack::axtrack ALIAS axtrack::simdesk)
endif()
unset(_axtrack_prefix)
unset(_axtrack_file)
]] @ONLY)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/axtrackConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${config} ${PROJECT_BINARY_DIR}/package/axtrackConfigVersion.cmake
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/axtrack)

# pkg-config files, relocatable: the prefix is found from where the file was
# installed, not taken from the configuration (lib/pkgconfig, or
# lib/<triplet>/pkgconfig).
file(RELATIVE_PATH pc_up /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" pc_up "${pc_up}")
set(pc_name axtrack)
set(pc_description "Follows focus and selection in other applications through the accessibility interface")
set(pc_libs "-l${axtrack_host_name}")
set(pc_backend "backend=${axtrack_backend}")
set(pc_template [[
prefix=${pcfiledir}/@pc_up@
libdir=${prefix}/@CMAKE_INSTALL_LIBDIR@
includedir=${prefix}/@CMAKE_INSTALL_INCLUDEDIR@
@pc_backend@

Name: @pc_name@
Description: @pc_description@
Version: @PROJECT_VERSION@
Libs: -L${libdir} @pc_libs@
Cflags: -I${includedir}
]])
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/package/axtrack.pc CONTENT "${pc_template}" @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/package/axtrack.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(TARGET axtrack-kit)
  # The kit's example loads the simulated desktop's library with dlopen.
  set(pc_name axtrack-kit)
  set(pc_description "Drives axtrack's simulated desktop from a host's own tests")
  set(pc_libs "-laxtrack-kit")
  foreach(lib ${CMAKE_DL_LIBS})
    string(APPEND pc_libs " -l${lib}")
  endforeach()
  set(pc_backend "")
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/package/axtrack-kit.pc CONTENT "${pc_template}" @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/package/axtrack-kit.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endif()

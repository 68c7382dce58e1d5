# Cross-compiling for macOS on Debian: universal binaries (arm64 and x86_64)
# for macOS 12 and later, built with clang-19 and lld-19 against the
# project's own declaration sysroot (cmake/macos-sysroot: headers written
# from Apple's public documentation, and .tbd stubs made from
# tools/macos-sysroot/exports.manifest). No Apple SDK is involved.
#
#   apt-get install clang-19 lld-19 llvm-19 libc++-19-dev libc++abi-19-dev python3
#   cmake -S . -B build-macos --toolchain cmake/macos-cross.cmake
#
# The sysroot is assembled in the build tree (build-macos/macos-sysroot) by
# tools/macos-sysroot/make-sysroot.py when the build is configured, and again
# whenever its inputs change. Binaries link against the stubs and are checked
# with tools/macos-sysroot/check-cross-build.sh; they can't be run here.
#
# Things to know when writing code for this build:
#   - libc++ comes from Debian's libc++-19 headers with a configuration of the
#     sysroot's own that keeps Apple's availability checks on: a facility the
#     deployment target lacks is a compile error;
#   - Objective-C files link with -lobjc given explicitly;
#   - @available / __builtin_available need compiler-rt's macOS builtins,
#     which Debian doesn't ship: test with respondsToSelector: or the like;
#   - only what tools/macos-sysroot/exports.manifest lists links: a new
#     system call means a new manifest entry (and header declaration).

set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_VERSION 21.0)  # Darwin 21 is macOS 12
set(CMAKE_SYSTEM_PROCESSOR arm64)
set(CMAKE_OSX_ARCHITECTURES "arm64;x86_64" CACHE STRING "Architectures of the macOS build")
set(CMAKE_OSX_DEPLOYMENT_TARGET "12.0" CACHE STRING "Oldest macOS the build runs on")

set(AXTRACK_MACOS_LLVM_VERSION 19)
foreach(tool clang clang++ ld64.lld llvm-lipo llvm-libtool-darwin llvm-ar llvm-ranlib llvm-nm
        llvm-objdump llvm-install-name-tool)
  string(MAKE_C_IDENTIFIER "${tool}" variable)
  find_program(AXTRACK_MACOS_${variable} ${tool}-${AXTRACK_MACOS_LLVM_VERSION})
  if(NOT AXTRACK_MACOS_${variable})
    message(FATAL_ERROR "macOS cross build: ${tool}-${AXTRACK_MACOS_LLVM_VERSION} not found "
            "(apt-get install clang-19 lld-19 llvm-19 libc++-19-dev libc++abi-19-dev)")
  endif()
endforeach()

set(CMAKE_C_COMPILER ${AXTRACK_MACOS_clang})
set(CMAKE_CXX_COMPILER ${AXTRACK_MACOS_clang__})
set(CMAKE_OBJC_COMPILER ${AXTRACK_MACOS_clang})
set(CMAKE_OBJCXX_COMPILER ${AXTRACK_MACOS_clang__})
foreach(lang C CXX OBJC OBJCXX)
  set(CMAKE_${lang}_COMPILER_TARGET x86_64-apple-darwin${CMAKE_SYSTEM_VERSION})
endforeach()
set(CMAKE_AR ${AXTRACK_MACOS_llvm_ar} CACHE FILEPATH "")
set(CMAKE_RANLIB ${AXTRACK_MACOS_llvm_ranlib} CACHE FILEPATH "")
set(CMAKE_NM ${AXTRACK_MACOS_llvm_nm} CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${AXTRACK_MACOS_llvm_objdump} CACHE FILEPATH "")
set(CMAKE_INSTALL_NAME_TOOL ${AXTRACK_MACOS_llvm_install_name_tool} CACHE FILEPATH "")

# The sysroot and a folder of tools for the compiler driver, made once by the
# top-level configuration and handed to CMake's test projects.
if(NOT AXTRACK_MACOS_SYSROOT)
  find_program(AXTRACK_MACOS_PYTHON NAMES python3 REQUIRED)
  set(AXTRACK_MACOS_SYSROOT ${CMAKE_BINARY_DIR}/macos-sysroot)
  set(AXTRACK_MACOS_TOOLS ${CMAKE_BINARY_DIR}/macos-tools)
  execute_process(
    COMMAND ${AXTRACK_MACOS_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/../tools/macos-sysroot/make-sysroot.py
            ${AXTRACK_MACOS_SYSROOT} --nm ${AXTRACK_MACOS_llvm_nm}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "macOS cross build: assembling the sysroot failed")
  endif()
  # Configure again (and so re-assemble) when the manifest, the script or the
  # set of header files changes; edits to existing headers need nothing, the
  # sysroot links to them.
  file(GLOB_RECURSE axtrack_macos_entries LIST_DIRECTORIES true ${CMAKE_CURRENT_LIST_DIR}/macos-sysroot/*)
  set(axtrack_macos_inputs ${CMAKE_CURRENT_LIST_DIR}/macos-sysroot
      ${CMAKE_CURRENT_LIST_DIR}/../tools/macos-sysroot/make-sysroot.py
      ${CMAKE_CURRENT_LIST_DIR}/../tools/macos-sysroot/exports.manifest)
  foreach(entry ${axtrack_macos_entries})
    if(IS_DIRECTORY ${entry})
      list(APPEND axtrack_macos_inputs ${entry})
    endif()
  endforeach()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${axtrack_macos_inputs})
  # For universal objects the driver calls `lipo`, which Debian names
  # llvm-lipo-19; -B points the driver at this folder first.
  file(MAKE_DIRECTORY ${AXTRACK_MACOS_TOOLS})
  if(NOT EXISTS ${AXTRACK_MACOS_TOOLS}/lipo)
    file(CREATE_LINK ${AXTRACK_MACOS_llvm_lipo} ${AXTRACK_MACOS_TOOLS}/lipo SYMBOLIC)
  endif()
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES AXTRACK_MACOS_SYSROOT AXTRACK_MACOS_TOOLS)
set(CMAKE_OSX_SYSROOT ${AXTRACK_MACOS_SYSROOT} CACHE PATH "The macOS declaration sysroot" FORCE)

# Look for libraries and headers in the sysroot only, programs on the host.
set(CMAKE_FIND_ROOT_PATH ${AXTRACK_MACOS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config answers for the sysroot too, which has no .pc files: the host's
# Linux packages are never taken for macOS ones.
set(ENV{PKG_CONFIG_LIBDIR} ${AXTRACK_MACOS_SYSROOT}/usr/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${AXTRACK_MACOS_SYSROOT})

# libc++: Debian's headers behind the sysroot's own __config_site, both in
# the sysroot's usr/include/c++/v1 (not the copy beside the compiler).
set(axtrack_macos_common "-B${AXTRACK_MACOS_TOOLS}/")
set(axtrack_macos_cxx "${axtrack_macos_common} -nostdinc++ -cxx-isystem ${AXTRACK_MACOS_SYSROOT}/usr/include/c++/v1")
set(CMAKE_C_FLAGS_INIT "${axtrack_macos_common}")
set(CMAKE_OBJC_FLAGS_INIT "${axtrack_macos_common}")
set(CMAKE_CXX_FLAGS_INIT "${axtrack_macos_cxx}")
set(CMAKE_OBJCXX_FLAGS_INIT "${axtrack_macos_cxx}")
# Link with lld's Mach-O linker, and libc++ from the sysroot's stub.
set(axtrack_macos_link "-fuse-ld=lld --ld-path=${AXTRACK_MACOS_ld64_lld}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${axtrack_macos_link}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${axtrack_macos_link}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${axtrack_macos_link}")

# Static libraries hold universal objects, which ar can't index: Apple's
# way is libtool, here llvm-libtool-darwin, which makes a universal archive.
foreach(lang C CXX OBJC OBJCXX)
  set(CMAKE_${lang}_CREATE_STATIC_LIBRARY
      "${AXTRACK_MACOS_llvm_libtool_darwin} -static -no_warning_for_no_symbols -o <TARGET> <LINK_FLAGS> <OBJECTS>")
endforeach()

# A dylib records its install name (-install_name @rpath/NAME). CMake 3.25
# takes the Objective-C++ flag from Objective-C's, which stays unset unless
# Objective-C is enabled as well.
set(CMAKE_SHARED_LIBRARY_SONAME_OBJC_FLAG "-install_name")
set(CMAKE_SHARED_LIBRARY_SONAME_OBJCXX_FLAG "-install_name")

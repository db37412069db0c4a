# Installing the library: every layer's static library and headers, and a
# package configuration, so that another CMake project (for Windows, built
# with mingw-w64) writes
#   find_package(KivView CONFIG REQUIRED)
#   target_link_libraries(app PRIVATE KivView::controls)
# and gets the layer with every layer below it and the third-party libraries.
#
# Layout under the prefix:
#   include/kivview/<layer>/...        the layer's headers, as under src/
#   lib/libkiv_<layer>.a               the layer
#   lib/cmake/KivView/                 KivViewConfig.cmake and its targets
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KIV_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/KivView")

# Called by kiv_layer for each layer. Win32-only headers are installed only by
# the win32 build, where they can be used.
function(kiv_install_layer name)
  install(TARGETS kiv_${name} EXPORT KivViewTargets
    ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}")
  set(excluded)
  if(NOT WIN32)
    set(excluded REGEX "(_win32\\.hpp$)|(/win32/)" EXCLUDE)
  endif()
  if(EXISTS "${CMAKE_SOURCE_DIR}/src/${name}")
    install(DIRECTORY "${CMAKE_SOURCE_DIR}/src/${name}/"
      DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}/kivview/${name}"
      FILES_MATCHING PATTERN "*.hpp" ${excluded})
  endif()
endfunction()

# Called once, after the layers: the exported targets and the package files.
function(kiv_install_package)
  install(EXPORT KivViewTargets NAMESPACE KivView::
    FILE KivViewTargets.cmake DESTINATION "${KIV_INSTALL_CMAKEDIR}")
  configure_package_config_file("${CMAKE_SOURCE_DIR}/cmake/KivViewConfig.cmake.in"
    "${CMAKE_BINARY_DIR}/KivViewConfig.cmake" INSTALL_DESTINATION "${KIV_INSTALL_CMAKEDIR}")
  write_basic_package_version_file("${CMAKE_BINARY_DIR}/KivViewConfigVersion.cmake"
    VERSION "${PROJECT_VERSION}" COMPATIBILITY SameMinorVersion)
  install(FILES "${CMAKE_BINARY_DIR}/KivViewConfig.cmake"
    "${CMAKE_BINARY_DIR}/KivViewConfigVersion.cmake" DESTINATION "${KIV_INSTALL_CMAKEDIR}")
endfunction()

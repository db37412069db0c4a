# kiv_layer(NAME [DEPS...]) makes the static library kiv_NAME from src/NAME.
# Sources are found by globbing so that adding a file needs no list edit.
# Platform seam: files ending in _win32.cpp, or under a win32/ folder, belong to
# the win32 build only; everything else is portable and builds in both.
# Every layer is also installed with its headers and exported as KivView::NAME
# (cmake/KivInstall.cmake), so a new layer needs no install rule of its own.
function(kiv_layer name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
    "${CMAKE_SOURCE_DIR}/src/${name}/*.cpp" "${CMAKE_SOURCE_DIR}/src/${name}/*.c")
  if(NOT WIN32)
    list(FILTER srcs EXCLUDE REGEX "(_win32\\.c(pp)?$)|(/win32/)")
  endif()
  set(target kiv_${name})
  if(srcs)
    add_library(${target} STATIC ${srcs})
    set(scope PUBLIC)
  else()
    add_library(${target} INTERFACE)
    set(scope INTERFACE)
  endif()
  # Sources include "layer/file.hpp" from src/; the installed headers keep that
  # layout under include/kivview/, which is also on the include path, so
  # consumers write the same includes (or "kivview/layer/file.hpp").
  target_include_directories(${target} ${scope}
    "$<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/src>"
    "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/kivview>"
    "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
  foreach(dep IN LISTS ARGN)
    target_link_libraries(${target} ${scope} kiv_${dep})
  endforeach()
  if(name STREQUAL "framework")
    target_link_libraries(${target} ${scope} ZLIB::ZLIB JPEG::JPEG GIF::GIF)
    if(WIN32)
      target_link_libraries(${target} ${scope}
        user32 gdi32 uxtheme msimg32 winmm comctl32 comdlg32 ole32 shell32 shlwapi)
    endif()
  endif()
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  add_library(KivView::${name} ALIAS ${target})
  kiv_install_layer(${name})
endfunction()

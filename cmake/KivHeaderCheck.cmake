# kiv_header_check(): every portable header under src/ (any .hpp that is not
# named *_win32.hpp and not under a win32/ folder) is compiled alone in the
# win32 build, where <windows.h> exists, and the build fails if it pulled in a
# Win32 header, directly or through another header. Natively such an include
# fails anyway unless it hides behind #if _WIN32, which this check also catches.
function(kiv_header_check)
  if(NOT WIN32)
    return()
  endif()
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}/src"
       "${CMAKE_SOURCE_DIR}/src/*.hpp")
  list(FILTER headers EXCLUDE REGEX "(_win32\\.hpp$)|(^win32/)|(/win32/)")
  set(srcs)
  foreach(header IN LISTS headers)
    string(MAKE_C_IDENTIFIER "${header}" id)
    set(out "${CMAKE_BINARY_DIR}/header_check/${id}.cpp")
    file(CONFIGURE OUTPUT "${out}" CONTENT
"// Generated: ${header} must not pull in a Win32 header.
#include \"${header}\"
#if defined(_WINDOWS_) || defined(_MINWINDEF_) || defined(_WINDEF_) || defined(_WINUSER_) || defined(_WINGDI_) || defined(_WINBASE_)
#error \"portable header ${header} pulls in a Win32 header; move the Win32 part to a _win32 header\"
#endif
" @ONLY)
    list(APPEND srcs "${out}")
  endforeach()
  add_library(kiv_header_check OBJECT ${srcs})
  # The top layer's usage requirements give every layer's include paths.
  target_link_libraries(kiv_header_check PRIVATE kiv_app)
endfunction()

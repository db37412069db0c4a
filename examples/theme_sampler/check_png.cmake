# Runs the theme sampler with --png OUT (first saving a hue-shifted theme to
# THEME and loading it with --theme, when THEME is given) and checks that OUT
# is a PNG of WIDTH x HEIGHT pixels.
#   cmake -DRUN=wine-run.sh -DEXE=theme_sampler.exe -DOUT=x.png -DWIDTH=w -DHEIGHT=h
#         [-DTHEME=file | -DSTYLE=file.msstyles | -DSKIN=file] [-DNAME=text]
#         [-DDIFFERS=other.png] -P check_png.cmake
# STYLE: a visual-styles file looked for under the Wine prefix's C: drive and
# loaded with --theme; the test is skipped (the output says "SKIPPED") when
# the prefix holds no such file.
# SKIN: a skin file (any variant), loaded with --theme.
# NAME: text the sampler must print (the name of the theme it drew).
# DIFFERS: a PNG the sheet must not equal (the built-in theme's sheet, made
# first when missing), so that a theme that loads but draws nothing fails.
file(REMOVE "${OUT}")
set(theme_args)
if(STYLE)
  # The prefix is the one wine-run.sh uses: ask the environment script.
  get_filename_component(scripts "${RUN}" DIRECTORY)
  execute_process(COMMAND bash -c ". \"$1\" && printf %s \"$WINEPREFIX\"" _
                          "${scripts}/wine-env.sh"
                  OUTPUT_VARIABLE prefix)
  file(GLOB_RECURSE found "${prefix}/drive_c/windows/*/${STYLE}")
  if(NOT found)
    message(STATUS "SKIPPED: no ${STYLE} under ${prefix}/drive_c/windows")
    return()
  endif()
  list(GET found 0 style_path)
  # The program sees the Unix root as drive Z:.
  string(REPLACE "/" "\\" style_path "Z:${style_path}")
  set(theme_args --theme "${style_path}")
elseif(SKIN)
  string(REGEX REPLACE "^/" "Z:/" skin_path "${SKIN}")
  set(theme_args --theme "${skin_path}")
elseif(THEME)
  file(REMOVE "${THEME}")
  execute_process(COMMAND "${RUN}" "${EXE}" --save-theme "${THEME}" --hue 120
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0 OR NOT EXISTS "${THEME}")
    message(FATAL_ERROR "--save-theme ${THEME} failed (${rc})")
  endif()
  set(theme_args --theme "${THEME}")
endif()
execute_process(COMMAND "${RUN}" "${EXE}" ${theme_args} --png "${OUT}" RESULT_VARIABLE rc
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "theme_sampler failed (${rc}): ${out}${err}")
endif()
if(NOT EXISTS "${OUT}")
  message(FATAL_ERROR "theme_sampler wrote no ${OUT}")
endif()
# Signature (8 bytes), IHDR length and tag (8), then width and height, 32-bit
# big-endian each.
file(READ "${OUT}" head LIMIT 24 HEX)
string(SUBSTRING "${head}" 0 16 signature)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "${OUT} is not a PNG file (starts ${signature})")
endif()
string(SUBSTRING "${head}" 32 8 w_hex)
string(SUBSTRING "${head}" 40 8 h_hex)
math(EXPR w "0x${w_hex}")
math(EXPR h "0x${h_hex}")
if(NOT w EQUAL WIDTH OR NOT h EQUAL HEIGHT)
  message(FATAL_ERROR "${OUT} is ${w} x ${h}, expected ${WIDTH} x ${HEIGHT}")
endif()
if(NAME)
  string(FIND "${out}" "${NAME}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the sampler drew another theme than \"${NAME}\": ${out}")
  endif()
endif()
if(DIFFERS)
  if(NOT EXISTS "${DIFFERS}")
    execute_process(COMMAND "${RUN}" "${EXE}" --png "${DIFFERS}" RESULT_VARIABLE rc)
  endif()
  file(SHA256 "${OUT}" drawn)
  file(SHA256 "${DIFFERS}" other)
  if(drawn STREQUAL other)
    message(FATAL_ERROR "${OUT} is the same sheet as ${DIFFERS}")
  endif()
endif()
message(STATUS "${out}")

# ctest runs this script (cmake -P) in the win32 build: install the built
# library into a fresh prefix, configure and build the consumer project
# against that prefix alone, and run the consumer under Wine.
# Variables: BUILD_DIR, SOURCE_DIR, WORK_DIR, TOOLCHAIN, DEPS, EMULATOR, CONFIG.
set(ENV{KIV_MINGW_DEPS} "${DEPS}")
set(prefix "${WORK_DIR}/prefix")
set(bin "${WORK_DIR}/build")
file(REMOVE_RECURSE "${WORK_DIR}")

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "consumer: ${what} failed (${rc})")
  endif()
endfunction()

run(install "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}" --config "${CONFIG}")
# The package is found by the prefix alone: the consumer names the install
# prefix (and where the third-party libraries are) and nothing of the tree
# the library was built in.
run(configure "${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${bin}" -G Ninja
    "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}" "-DCMAKE_BUILD_TYPE=${CONFIG}"
    "-DCMAKE_PREFIX_PATH=${prefix};${DEPS}" "-DCMAKE_FIND_ROOT_PATH=${prefix}")
run(build "${CMAKE_COMMAND}" --build "${bin}")
run(run "${EMULATOR}" "${bin}/consumer.exe")

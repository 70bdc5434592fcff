# The two Windows programs, each a sub-build of its own from the same source:
#   build/win64: x86_64 (PE32+), the primary program;
#   build/win32: i686 (PE32), for 32-bit Windows and 32-bit plug-ins.
# Each puts TDialix.exe and its hook library TDialix.dll in its src/ folder.
include(ExternalProject)

# The 32-bit program's Wine tests run only where this machine runs the 32-bit
# Wine loader; the program itself is built everywhere.
execute_process(
  COMMAND sh -c ". '${CMAKE_SOURCE_DIR}/scripts/wine-env.sh' && wine32_usable"
  OUTPUT_VARIABLE wine32_reason
  RESULT_VARIABLE wine32_status
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(wine32_status EQUAL 0)
  set(TDIALIX_WINE32_TESTS ON)
else()
  set(TDIALIX_WINE32_TESTS OFF)
  message(STATUS "32-bit Wine tests skipped: ${wine32_reason}")
endif()

function(tdialix_windows_build name toolchain wineTests)
  ExternalProject_Add(${name}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/${toolchain}.cmake
      -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
      -DTDIALIX_WINE_TESTS=${wineTests}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    # The packages are made from these.
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/${name}/src/TDialix.exe ${CMAKE_BINARY_DIR}/${name}/src/TDialix.dll
    USES_TERMINAL_BUILD ON)
endfunction()
tdialix_windows_build(win64 mingw-x86_64 ON)
tdialix_windows_build(win32 mingw-i686 ${TDIALIX_WINE32_TESTS})
add_custom_target(windows)
add_dependencies(windows win64 win32)

# One ctest run covers every build: the Windows builds' tests (run under
# Wine) are subdirectories of this one's.
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake "")
foreach(build win64 win32)
  file(APPEND ${CMAKE_BINARY_DIR}/windows-tests.cmake
    "if(EXISTS \"${CMAKE_BINARY_DIR}/${build}/CTestTestfile.cmake\")\n  subdirs(\"${CMAKE_BINARY_DIR}/${build}\")\nendif()\n")
endforeach()
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)

# Each built program (and the sample plug-in) is of the bitness it claims and
# needs nothing beside it but its own hook library and the system's DLLs.
foreach(build IN ITEMS "win64;x86_64-w64-mingw32;pei-x86-64" "win32;i686-w64-mingw32;pei-i386")
  list(GET build 0 name)
  list(GET build 1 prefix)
  list(GET build 2 format)
  set(sample ${CMAKE_BINARY_DIR}/${name}/plugins/sample/TDialixSample.dll)
  add_test(NAME build.${name}.programs
           COMMAND ${CMAKE_SOURCE_DIR}/tests/build/check-windows-program.sh ${prefix}-objdump ${format}
                   ${CMAKE_BINARY_DIR}/${name}/src/TDialix.exe ${CMAKE_BINARY_DIR}/${name}/src/TDialix.dll ${sample})
  # Windows 7 with Service Pack 1 is the oldest Windows either program supports.
  add_test(NAME build.${name}.windows7
           COMMAND ${CMAKE_SOURCE_DIR}/tests/build/check-windows7-imports.sh ${prefix}-objdump
                   ${CMAKE_SOURCE_DIR}/tests/build/windows7-functions.txt
                   ${CMAKE_BINARY_DIR}/${name}/src/TDialix.exe ${CMAKE_BINARY_DIR}/${name}/src/TDialix.dll)
  # What other programs and plug-ins find by name in each file.
  set(check_exports ${CMAKE_SOURCE_DIR}/tests/build/check-exports.sh ${prefix}-objdump)
  add_test(NAME build.${name}.exports.program
           COMMAND ${check_exports} ${CMAKE_BINARY_DIR}/${name}/src/TDialix.exe ShowPluginNotify VisibleClock)
  add_test(NAME build.${name}.exports.hook
           COMMAND ${check_exports} ${CMAKE_BINARY_DIR}/${name}/src/TDialix.dll EndHook StartHook)
  add_test(NAME build.${name}.exports.sample_plugin COMMAND ${check_exports} ${sample} PluginProc)
endforeach()
# The check finds a function that is not on the list: here the thread
# runtime's GetTickCount64, left out of a copy of it.
add_test(NAME build.windows7.unlisted
         COMMAND sh -c "grep -v GetTickCount64 '${CMAKE_SOURCE_DIR}/tests/build/windows7-functions.txt' >windows7-unlisted.txt && \
                        '${CMAKE_SOURCE_DIR}/tests/build/check-windows7-imports.sh' x86_64-w64-mingw32-objdump \
                        windows7-unlisted.txt '${CMAKE_BINARY_DIR}/win64/src/TDialix.exe'")
set_tests_properties(build.windows7.unlisted PROPERTIES
  PASS_REGULAR_EXPRESSION "imports GetTickCount64 from kernel32.dll, which is not known to be on Windows 7")

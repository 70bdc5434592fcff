# What a Windows user downloads: the help file, and for each bitness an
# installer and a portable zip (build/packages), made from both Windows
# builds, the help pages and the sample styles.

# The help file. Its context map comes from help/contexts.txt; a help
# context that the code uses without a page on that list fails the build.
file(GLOB help_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
file(GLOB_RECURSE help_code CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
set(TDIALIX_HELP_FILE ${CMAKE_BINARY_DIR}/help/TDialix.chm)
set(check_contexts ${CMAKE_SOURCE_DIR}/help/check-contexts.sh)
# The check reads the code, the help file only the help pages: an edit of the
# code checks the contexts again without compiling the help file anew.
set(help_contexts_stamp ${CMAKE_BINARY_DIR}/help/contexts-checked.stamp)
add_custom_command(OUTPUT ${help_contexts_stamp}
  COMMAND ${check_contexts} ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/help/contexts.txt
  COMMAND ${CMAKE_COMMAND} -E touch ${help_contexts_stamp}
  DEPENDS ${help_code} ${CMAKE_SOURCE_DIR}/help/contexts.txt ${check_contexts}
  COMMENT "Checking the help contexts"
  VERBATIM)
add_custom_command(OUTPUT ${TDIALIX_HELP_FILE}
  COMMAND ${CMAKE_SOURCE_DIR}/help/build-help.sh ${CMAKE_BINARY_DIR}/help
  DEPENDS ${help_sources}
  COMMENT "Building the help file"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${help_contexts_stamp} ${TDIALIX_HELP_FILE})

# The compiled help file maps every listed context to a page it holds; the
# check finds the contexts however a dialog gives them, and names one that
# has no page.
add_test(NAME help.contexts
         COMMAND ${check_contexts} ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/help/contexts.txt ${TDIALIX_HELP_FILE})
set_tests_properties(help.contexts PROPERTIES PASS_REGULAR_EXPRESSION "maps every listed context to a page it holds")
add_test(NAME help.contexts.forms
         COMMAND ${check_contexts} ${CMAKE_SOURCE_DIR}/tests/fixtures/help/listed ${CMAKE_SOURCE_DIR}/help/contexts.txt)
set_tests_properties(help.contexts.forms PROPERTIES
                     PASS_REGULAR_EXPRESSION "Help contexts the code uses: 16 40 42 44 46 50 54 \n")
add_test(NAME help.contexts.unlisted
         COMMAND ${check_contexts} ${CMAKE_SOURCE_DIR}/tests/fixtures/help/unlisted ${CMAKE_SOURCE_DIR}/help/contexts.txt)
set_tests_properties(help.contexts.unlisted PROPERTIES
                     PASS_REGULAR_EXPRESSION "Help context 99 \\(used in [^)]*/unlisted/dialog_win.cpp \\) has no page")

# A context on the list that the compiled file does not map is found.
add_test(NAME help.contexts.unmapped
         COMMAND sh -c "{ cat '${CMAKE_SOURCE_DIR}/help/contexts.txt'; echo '99 index.html extra'; } >contexts-unmapped.txt && \
                        '${check_contexts}' '${CMAKE_SOURCE_DIR}/tests/fixtures/help/unlisted' contexts-unmapped.txt '${TDIALIX_HELP_FILE}'")
set_tests_properties(help.contexts.unmapped PROPERTIES PASS_REGULAR_EXPRESSION "context 99 is not in its map")

# The installers and the zips.
set(packages_dir ${CMAKE_BINARY_DIR}/packages)
set(package_outputs)
foreach(arch x64 x86)
  list(APPEND package_outputs ${packages_dir}/TDialix-${PROJECT_VERSION}-${arch}-setup.exe
                              ${packages_dir}/TDialix-${PROJECT_VERSION}-${arch}-portable.zip)
endforeach()
file(GLOB sample_styles CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/styles/*.dlx ${CMAKE_SOURCE_DIR}/styles/*.bmp)
add_custom_command(OUTPUT ${package_outputs}
  COMMAND ${CMAKE_SOURCE_DIR}/scripts/make-packages.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION}
  DEPENDS ${TDIALIX_HELP_FILE} ${sample_styles} ${CMAKE_SOURCE_DIR}/installer/TDialix.nsi
          ${CMAKE_SOURCE_DIR}/scripts/make-packages.sh ${CMAKE_SOURCE_DIR}/res/TDialix.ico
          ${CMAKE_BINARY_DIR}/win64/src/TDialix.exe ${CMAKE_BINARY_DIR}/win64/src/TDialix.dll
          ${CMAKE_BINARY_DIR}/win32/src/TDialix.exe ${CMAKE_BINARY_DIR}/win32/src/TDialix.dll
  COMMENT "Making the installers and the portable zips"
  VERBATIM)
add_custom_target(packages ALL DEPENDS ${package_outputs})
add_dependencies(packages win64 win32)

# What each package holds, and of which bitness its programs are.
foreach(build IN ITEMS "x64;x86_64-w64-mingw32;pei-x86-64" "x86;i686-w64-mingw32;pei-i386")
  list(GET build 0 arch)
  list(GET build 1 prefix)
  list(GET build 2 format)
  add_test(NAME packages.${arch}.contents
           COMMAND ${CMAKE_SOURCE_DIR}/tests/build/check-package.sh ${prefix}-objdump ${format}
                   ${packages_dir}/TDialix-${PROJECT_VERSION}-${arch}-setup.exe ${packages_dir}/work/setup-${arch}.log
                   ${packages_dir}/TDialix-${PROJECT_VERSION}-${arch}-portable.zip ${CMAKE_SOURCE_DIR}/styles)
endforeach()

# Each installer under Wine, on its bitness's test session display in a
# prefix of its own: install, start, upgrade over the running program,
# uninstall. The 32-bit one only where this machine runs 32-bit Wine.
foreach(build IN ITEMS "x64;win64;64" "x86;win32;32")
  list(GET build 0 arch)
  list(GET build 1 name)
  list(GET build 2 bits)
  if(bits EQUAL 32 AND NOT TDIALIX_WINE32_TESTS)
    continue()
  endif()
  add_test(NAME packages.${arch}.install
           COMMAND ${CMAKE_SOURCE_DIR}/tests/installer/installer-test.sh ${CMAKE_BINARY_DIR}/${name}/wine
                   ${packages_dir}/TDialix-${PROJECT_VERSION}-${arch}-setup.exe ${packages_dir}/wine-test-${arch}/prefix
                   ${PROJECT_VERSION} ${bits})
  set_tests_properties(packages.${arch}.install PROPERTIES FIXTURES_REQUIRED wine${bits} TIMEOUT 400
                       RESOURCE_LOCK "tdialix_instance;desktop_input;user_shell")
endforeach()

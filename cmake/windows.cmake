# The Windows program: the same sources against the system's own USER32 and
# GDI32, one statically linked ondulane.exe, and the tests of the pure code
# and of the real window, run under Wine.
enable_language(RC)
add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wall> $<$<COMPILE_LANGUAGE:CXX>:-Wextra>)
# One file to copy: no libstdc++, libgcc or libwinpthread DLL beside it.
add_link_options(-static -s)
# -O2 as on Linux: at -O3 GCC 12 warns falsely about std::string's operator+.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")

set(ONDULANE_VERSION_FOUR "${PROJECT_VERSION}.0")
string(REPLACE "." "," ONDULANE_VERSION_COMMAS "${ONDULANE_VERSION_FOUR}")

# The application manifest, with the program's version in its identity.
set(MANIFEST ${CMAKE_BINARY_DIR}/ondulane.exe.manifest)
configure_file(${CMAKE_SOURCE_DIR}/app/ondulane.exe.manifest.in ${MANIFEST} @ONLY)

# The file's icon, drawn from the program's SVG in the sizes Explorer asks for.
set(ICON_SVG ${CMAKE_SOURCE_DIR}/data/org.ondulane.Ondulane.svg)
set(ICON ${CMAKE_BINARY_DIR}/ondulane.ico)
set(ICON_PNGS)
foreach(size 16 24 32 48 256)
  set(png ${CMAKE_BINARY_DIR}/icon/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
    COMMAND rsvg-convert -w ${size} -h ${size} -o ${png} ${ICON_SVG}
    DEPENDS ${ICON_SVG} VERBATIM)
  list(APPEND ICON_PNGS ${png})
endforeach()
add_custom_command(OUTPUT ${ICON}
  COMMAND icotool -c -o ${ICON} ${ICON_PNGS}
  DEPENDS ${ICON_PNGS} VERBATIM)

include(cmake/sources.cmake)
# The texts and dialogs in every language, each under its LANGUAGE: Windows
# picks the user's display language among them, English when it has none.
ondulane_resource_scripts(LANGUAGE_SCRIPTS)
set(LANGUAGE_INCLUDES ${CMAKE_BINARY_DIR}/ondulane_languages.rc)
list(TRANSFORM LANGUAGE_SCRIPTS PREPEND "#include \"" OUTPUT_VARIABLE lines)
list(TRANSFORM lines APPEND "\"")
list(JOIN lines "\n" lines)
file(CONFIGURE OUTPUT ${LANGUAGE_INCLUDES} CONTENT "${lines}\n" @ONLY)
set(RESOURCES ${CMAKE_SOURCE_DIR}/app/ondulane_windows.rc)
set_source_files_properties(${RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${ICON};${MANIFEST};${LANGUAGE_INCLUDES};${LANGUAGE_SCRIPTS};${CMAKE_SOURCE_DIR}/dialogs/resource.h"
  COMPILE_DEFINITIONS "ONDULANE_VERSION=${PROJECT_VERSION};ONDULANE_VERSION_COMMAS=${ONDULANE_VERSION_COMMAS}")
add_executable(ondulane WIN32 ${ONDULANE_PROGRAM_SOURCES} ${RESOURCES})
target_include_directories(ondulane PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})

include(cmake/pure_tests.cmake)
set(WINE_ENV WINEPREFIX=${CMAKE_BINARY_DIR}/wine-pure WINEDEBUG=-all)
# Wine's server and services are started once, detached from ctest's pipes,
# which they would otherwise hold open.
add_test(NAME wine.start COMMAND bash ${CMAKE_SOURCE_DIR}/tests/windows/wine_prefix.sh start)
add_test(NAME wine.stop COMMAND bash ${CMAKE_SOURCE_DIR}/tests/windows/wine_prefix.sh stop)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${WINE_ENV}")
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${WINE_ENV}")
set_tests_properties(pure_tests PROPERTIES ENVIRONMENT "${WINE_ENV}" FIXTURES_REQUIRED wine
  TIMEOUT 300)
set(TRANSLATED_SCRIPTS ${LANGUAGE_SCRIPTS})
list(POP_FRONT TRANSLATED_SCRIPTS)
add_test(NAME windows.resources
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:ondulane> "-DSCRIPTS=${TRANSLATED_SCRIPTS}"
    -DWORK=${CMAKE_BINARY_DIR}/resources_test -P ${CMAKE_SOURCE_DIR}/tests/windows/resources_test.cmake)
add_test(NAME windows.manifest
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:ondulane> -DVERSION=${ONDULANE_VERSION_FOUR}
    -DWORK=${CMAKE_BINARY_DIR}/manifest_test -P ${CMAKE_SOURCE_DIR}/tests/windows/manifest_test.cmake)

# The program in real windows under Wine, one at a time: each test boots the
# prefix on its own display. The Linux build's snapshot tool renders the same
# states for comparison. Wine takes the language from the environment.
set(ONDULANE_LINUX_SNAPSHOT "" CACHE FILEPATH "ondulane_snapshot of the Linux build")
if(ONDULANE_LINUX_SNAPSHOT)
  file(GLOB WINDOW_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*_test.sh)
  foreach(script ${WINDOW_SCRIPTS})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME windows.${name}
      COMMAND bash ${script} $<TARGET_FILE:ondulane> ${ONDULANE_LINUX_SNAPSHOT})
    set_tests_properties(windows.${name} PROPERTIES LABELS acceptance TIMEOUT 600
      RESOURCE_LOCK wine-gui
      ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine-gui;COMPARISON_LOG=${CMAKE_BINARY_DIR}/windows_vs_linux.txt;${ENGLISH}")
  endforeach()
endif()

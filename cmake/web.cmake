# The program as one web page: the same sources built to WebAssembly with
# Emscripten against the browser layer of platform/web/, and the page made
# from a template with the script, the WebAssembly and the fonts inside.
add_compile_options(-Wall -Wextra)
include(cmake/sources.cmake)

find_program(NODE node REQUIRED)
# This Emscripten asks Node for a flag that today's Node no longer knows.
set(CMAKE_CROSSCOMPILING_EMULATOR ${NODE})
# Its optimizer needs Debian's acorn module, which a Node from elsewhere does
# not look for.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs")

include(cmake/pure_tests.cmake)
# The WebAssembly inside the script: this Emscripten would fetch() a file
# beside it, which Node's fetch cannot.
target_link_options(pure_tests PRIVATE -sSINGLE_FILE=1 -sENVIRONMENT=node)
set_tests_properties(pure_tests PROPERTIES TIMEOUT 300)

# The faces the page draws with, cut down to the characters of the
# program's languages: Liberation Sans for the Latin, Greek and Cyrillic
# letters and Latin-1 (the single-byte codes the program draws with), and
# Noto Sans CJK, in the forms of each CJK language, and Noto Sans Arabic,
# with the forms and marks that join its letters, for the characters
# Liberation Sans lacks. The picture's texts are bold and the dialogs' and
# the bar's regular: both weights of each.
set(LATIN_FONT_DIR /usr/share/fonts/truetype/liberation2)
set(CJK_FONT_DIR /usr/share/fonts/opentype/noto)
set(ARABIC_FONT_DIR /usr/share/fonts/truetype/noto)
set(ARABIC_CATALOGUES)
foreach(locale ar fa)
  if(locale IN_LIST ONDULANE_LOCALES)
    list(APPEND ARABIC_CATALOGUES ${CMAKE_SOURCE_DIR}/po/${locale}.po)
  endif()
endforeach()
set(FONT_CUTTER ${CMAKE_SOURCE_DIR}/platform/web/subset_font.py)
set(CUTTER_DEPENDS ${FONT_CUTTER} ${CMAKE_SOURCE_DIR}/cmake/po_to_rc.py)
# Each CJK language, the number of its face in Noto's collection, and the
# family the page names that face by.
set(CJK_FORMS "ja 0 JP" "ko 1 KR" "zh_CN 2 SC" "zh_TW 3 TC")
set(PAGE_FACES)
set(PAGE_CJK)
set(FONTS)
foreach(weight Regular Bold)
  if(weight STREQUAL Regular)
    set(css_weight 400)
  else()
    set(css_weight 700)
  endif()
  set(latin ${CMAKE_BINARY_DIR}/LiberationSans-${weight}.woff)
  add_custom_command(OUTPUT ${latin}
    COMMAND ${DEBIAN_PYTHON} ${FONT_CUTTER} ${LATIN_FONT_DIR}/LiberationSans-${weight}.ttf 0
      ${latin} --latin1 ${ONDULANE_CATALOGUES}
    DEPENDS ${LATIN_FONT_DIR}/LiberationSans-${weight}.ttf ${ONDULANE_CATALOGUES} ${CUTTER_DEPENDS}
    VERBATIM)
  list(APPEND FONTS ${latin})
  list(APPEND PAGE_FACES --face "Ondulane Sans" ${css_weight} ${latin})
  foreach(form ${CJK_FORMS})
    separate_arguments(form)
    list(GET form 0 locale)
    list(GET form 1 number)
    list(GET form 2 name)
    if(NOT locale IN_LIST ONDULANE_LOCALES)
      continue()
    endif()
    set(cjk ${CMAKE_BINARY_DIR}/NotoSansCJK${name}-${weight}.woff2)
    add_custom_command(OUTPUT ${cjk}
      COMMAND ${DEBIAN_PYTHON} ${FONT_CUTTER} ${CJK_FONT_DIR}/NotoSansCJK-${weight}.ttc ${number}
        ${cjk} --besides ${latin} ${CMAKE_SOURCE_DIR}/po/${locale}.po
      DEPENDS ${CJK_FONT_DIR}/NotoSansCJK-${weight}.ttc ${CMAKE_SOURCE_DIR}/po/${locale}.po ${latin}
        ${CUTTER_DEPENDS} VERBATIM)
    list(APPEND FONTS ${cjk})
    list(APPEND PAGE_FACES --face "Ondulane CJK ${name}" ${css_weight} ${cjk})
    if(weight STREQUAL Regular)
      list(APPEND PAGE_CJK --cjk ${locale} "Ondulane CJK ${name}")
    endif()
  endforeach()
  if(ARABIC_CATALOGUES)
    set(arabic ${CMAKE_BINARY_DIR}/NotoSansArabic-${weight}.woff2)
    add_custom_command(OUTPUT ${arabic}
      COMMAND ${DEBIAN_PYTHON} ${FONT_CUTTER} ${ARABIC_FONT_DIR}/NotoSansArabic-${weight}.ttf 0
        ${arabic} --besides ${latin} ${ARABIC_CATALOGUES}
      DEPENDS ${ARABIC_FONT_DIR}/NotoSansArabic-${weight}.ttf ${ARABIC_CATALOGUES} ${latin}
        ${CUTTER_DEPENDS} VERBATIM)
    list(APPEND FONTS ${arabic})
    list(APPEND PAGE_FACES --face "Ondulane Arabic" ${css_weight} ${arabic})
  endif()
endforeach()

# The program: WinMain as it is, over the window manager and the drawing
# core, on the page's driver; its waits give the page back to the browser
# through Asyncify. The WebAssembly goes inside the script, and the script
# into the page below.
ondulane_dialog_data(DIALOG_DATA)
file(GLOB WEB_DRIVER_SOURCES CONFIGURE_DEPENDS platform/web/*.cpp)
add_executable(ondulane ${ONDULANE_PROGRAM_SOURCES} ${ONDULANE_WINDOWING_SOURCES}
  ${WEB_DRIVER_SOURCES} ${CMAKE_SOURCE_DIR}/platform/main.cpp ${DIALOG_DATA})
target_include_directories(ondulane PRIVATE ${CMAKE_SOURCE_DIR})
set(WEB_PRE ${CMAKE_SOURCE_DIR}/platform/web/pre.js)
file(GLOB WEB_LIBRARIES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/web/*.js)
list(REMOVE_ITEM WEB_LIBRARIES ${WEB_PRE})
foreach(library ${WEB_LIBRARIES})
  target_link_options(ondulane PRIVATE "SHELL:--js-library ${library}")
endforeach()
# The waits for input give the page back to the browser: web_wait is the one
# call that suspends the program.
target_link_options(ondulane PRIVATE "SHELL:--pre-js ${WEB_PRE}" -sASYNCIFY
  "-sASYNCIFY_IMPORTS=['web_wait']" -sSINGLE_FILE=1 -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1
  "-sEXPORTED_FUNCTIONS=['_main','_malloc','_free','_web_language']")
set_target_properties(ondulane PROPERTIES LINK_DEPENDS "${WEB_LIBRARIES};${WEB_PRE}")

set(PAGE ${CMAKE_BINARY_DIR}/ondulane.html)
set(PAGE_MAKER ${CMAKE_SOURCE_DIR}/platform/web/make_page.py)
set(PAGE_TEMPLATE ${CMAKE_SOURCE_DIR}/platform/web/page.html.in)
set(PAGE_FLOORS ${CMAKE_SOURCE_DIR}/platform/web/floors.json)
set(FONT_COPYRIGHTS /usr/share/doc/fonts-liberation2/copyright
  /usr/share/doc/fonts-noto-cjk/copyright /usr/share/doc/fonts-noto-core/copyright)
set(PAGE_WORD_SOURCES ${CMAKE_SOURCE_DIR}/platform/web/page_words.py
  ${CMAKE_SOURCE_DIR}/platform/web/dialogs.js)
add_custom_command(OUTPUT ${PAGE}
  COMMAND ${DEBIAN_PYTHON} ${PAGE_MAKER} ${PAGE_TEMPLATE} ${CMAKE_BINARY_DIR}/ondulane.js ${PAGE}
    ${PAGE_FACES} --licence ${FONT_COPYRIGHTS} --catalogue ${ONDULANE_CATALOGUES} ${PAGE_CJK}
    --floors ${PAGE_FLOORS}
  DEPENDS ondulane ${PAGE_MAKER} ${PAGE_TEMPLATE} ${PAGE_FLOORS} ${FONTS} ${FONT_COPYRIGHTS} ${PAGE_WORD_SOURCES}
    ${ONDULANE_CATALOGUES} VERBATIM
  COMMENT "Making the one-file page ondulane.html")
add_custom_target(page ALL DEPENDS ${PAGE})

# The browser tests: puppeteer-core, at the version the lock file pins,
# drives the system's Chromium; it downloads no browser.
set(BROWSER_TESTS ${CMAKE_SOURCE_DIR}/tests/web)
set(BROWSER_MODULES ${CMAKE_BINARY_DIR}/browser-tests)
add_custom_command(OUTPUT ${BROWSER_MODULES}/node_modules/.package-lock.json
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BROWSER_MODULES}
  COMMAND ${CMAKE_COMMAND} -E copy ${BROWSER_TESTS}/package.json ${BROWSER_TESTS}/package-lock.json
    ${BROWSER_MODULES}
  COMMAND npm ci --ignore-scripts --no-audit --no-fund --prefix ${BROWSER_MODULES}
  DEPENDS ${BROWSER_TESTS}/package.json ${BROWSER_TESTS}/package-lock.json VERBATIM)
add_custom_target(browser_test_modules ALL
  DEPENDS ${BROWSER_MODULES}/node_modules/.package-lock.json)
# Each *_test.cjs holds cases: node FILE PAGE CASE runs one, --list names them.
file(GLOB BROWSER_TEST_FILES CONFIGURE_DEPENDS ${BROWSER_TESTS}/*_test.cjs)
# The Linux build's snapshot tool renders the same states for comparison.
set(ONDULANE_LINUX_SNAPSHOT "" CACHE FILEPATH "ondulane_snapshot of the Linux build")
set(LINUX_CASES same_as_linux scaled figures_in_tree floors)
foreach(file ${BROWSER_TEST_FILES})
  execute_process(COMMAND ${NODE} ${file} --list
    OUTPUT_VARIABLE cases OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  foreach(case ${cases})
    if(case IN_LIST LINUX_CASES AND NOT ONDULANE_LINUX_SNAPSHOT)
      continue()
    endif()
    add_test(NAME browser.${case} COMMAND ${NODE} ${file} ${PAGE} ${case})
    set_tests_properties(browser.${case} PROPERTIES TIMEOUT 600 LABELS browser
      ENVIRONMENT "NODE_PATH=${BROWSER_MODULES}/node_modules;ONDULANE_LINUX_SNAPSHOT=${ONDULANE_LINUX_SNAPSHOT};COMPARISON_LOG=${CMAKE_BINARY_DIR}/web_vs_linux.txt;${ENGLISH}")
  endforeach()
endforeach()

# What Orca says of the page in Chromium, on a display of its own, through
# the acceptance tests' screen reader harness (orca.bash, session.bash),
# which lets one Orca run at a time.
if(ONDULANE_LINUX_SNAPSHOT)
  add_test(NAME browser.orca COMMAND bash ${BROWSER_TESTS}/orca_test.sh ${PAGE}
    ${ONDULANE_LINUX_SNAPSHOT} ${CMAKE_SOURCE_DIR}/tests/acceptance)
  set_tests_properties(browser.orca PROPERTIES TIMEOUT 900 LABELS browser
    ENVIRONMENT "NODE_PATH=${BROWSER_MODULES}/node_modules;${ENGLISH}")
endif()

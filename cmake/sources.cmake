# What every build of the program shares: its own sources, the window
# manager and the drawing core (platform/user/, platform/gdi/), and its
# dialog templates compiled from the resource script.
file(GLOB ONDULANE_PROGRAM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp
  ${CMAKE_SOURCE_DIR}/model/*.cpp ${CMAKE_SOURCE_DIR}/display/*.cpp
  ${CMAKE_SOURCE_DIR}/dialogs/*.cpp)
file(GLOB ONDULANE_WINDOWING_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/user/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/gdi/*.cpp)

# The languages the program speaks besides English: one catalogue each in po/.
find_program(DEBIAN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
file(GLOB ONDULANE_CATALOGUES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/po/*.po)
set(ONDULANE_LOCALES)
foreach(po ${ONDULANE_CATALOGUES})
  get_filename_component(locale ${po} NAME_WE)
  list(APPEND ONDULANE_LOCALES ${locale})
endforeach()

# The tests' environment: they speak English, whatever the machine's
# language, unless they set their own.
set(ENGLISH "LC_ALL=C.UTF-8;LANGUAGE=")

# The resource script in each language, made from its catalogue. Sets `var`
# to the scripts, English first.
function(ondulane_resource_scripts var)
  set(scripts ${CMAKE_SOURCE_DIR}/dialogs/ondulane.rc)
  foreach(locale ${ONDULANE_LOCALES})
    set(script ${CMAKE_BINARY_DIR}/rc/ondulane_${locale}.rc)
    add_custom_command(OUTPUT ${script}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/rc
      COMMAND ${DEBIAN_PYTHON} ${CMAKE_SOURCE_DIR}/cmake/po_to_rc.py
        ${CMAKE_SOURCE_DIR}/dialogs/ondulane.rc ${CMAKE_SOURCE_DIR}/po/${locale}.po ${script}
      DEPENDS ${CMAKE_SOURCE_DIR}/dialogs/ondulane.rc ${CMAKE_SOURCE_DIR}/po/${locale}.po
        ${CMAKE_SOURCE_DIR}/cmake/po_to_rc.py
      COMMENT "Writing the resource script in ${locale}" VERBATIM)
    list(APPEND scripts ${script})
  endforeach()
  set(${var} ${scripts} PARENT_SCOPE)
endfunction()

# The texts and dialog templates of every language as C++ data, for the
# window manager; on Windows the resource compiler takes the scripts
# themselves. Sets `var` to the generated source.
function(ondulane_dialog_data var)
  ondulane_resource_scripts(scripts)
  set(data ${CMAKE_BINARY_DIR}/ondulane_rc.cpp)
  add_custom_command(OUTPUT ${data}
    COMMAND ${CMAKE_COMMAND} "-DINPUT=${scripts}" "-DLOCALES=en;${ONDULANE_LOCALES}"
      -DOUTPUT=${data} -P ${CMAKE_SOURCE_DIR}/cmake/rc_to_cpp.cmake
    DEPENDS ${scripts} ${CMAKE_SOURCE_DIR}/cmake/rc_to_cpp.cmake
    COMMENT "Compiling the resources of every language" VERBATIM)
  set(${var} ${data} PARENT_SCOPE)
endfunction()

# What every build of the program shares: its own sources, the window
# manager and the drawing core (platform/user/, platform/gdi/), and its
# dialog templates compiled from the resource script.
file(GLOB ONDULANE_PROGRAM_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp
  ${CMAKE_SOURCE_DIR}/model/*.cpp ${CMAKE_SOURCE_DIR}/display/*.cpp
  ${CMAKE_SOURCE_DIR}/dialogs/*.cpp)
file(GLOB ONDULANE_WINDOWING_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/user/*.cpp
  ${CMAKE_SOURCE_DIR}/platform/gdi/*.cpp)

# The dialog templates of dialogs/ondulane.rc as C++ data, for the window
# manager's DialogBoxParamA; on Windows the resource compiler takes the
# script itself. Sets `var` to the generated source.
function(ondulane_dialog_data var)
  set(data ${CMAKE_BINARY_DIR}/ondulane_rc.cpp)
  add_custom_command(OUTPUT ${data}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/dialogs/ondulane.rc -DOUTPUT=${data}
      -P ${CMAKE_SOURCE_DIR}/cmake/rc_to_cpp.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/dialogs/ondulane.rc ${CMAKE_SOURCE_DIR}/cmake/rc_to_cpp.cmake
    COMMENT "Compiling the dialog templates of dialogs/ondulane.rc")
  set(${var} ${data} PARENT_SCOPE)
endfunction()

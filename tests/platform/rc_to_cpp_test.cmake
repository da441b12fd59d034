# The dialog data follows each edit of the resource script, and what the
# generator cannot read stops the build instead of losing a control.
#   cmake -DGENERATOR=rc_to_cpp.cmake -DSCRIPT=ondulane.rc -DWORK=dir -P rc_to_cpp_test.cmake
cmake_minimum_required(VERSION 3.25)
file(READ "${SCRIPT}" script)
# Deep enough that CMake's own error text would break the line after the path.
string(REPEAT "deep/" 30 deep)
set(WORK "${WORK}/${deep}")

function(generate case from to)
  string(REPLACE "${from}" "${to}" edited "${script}")
  if(edited STREQUAL script)
    message(FATAL_ERROR "${case}: '${from}' is not in the script")
  endif()
  file(WRITE "${WORK}/${case}.rc" "${edited}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -DINPUT=${WORK}/${case}.rc -DOUTPUT=${WORK}/${case}.cpp
                          -P "${GENERATOR}"
                  RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
  set(result "${result}" PARENT_SCOPE)
  set(error "${error}" PARENT_SCOPE)
endfunction()

# Edits reach the data.
generate(edited "77, 84, 50, 14" "78, 85, 51, 15")
file(READ "${WORK}/edited.cpp" data)
if(NOT result EQUAL 0 OR NOT data MATCHES "\\.x = 78, \\.y = 85, \\.cx = 51, \\.cy = 15")
  message(FATAL_ERROR "the edited OK button is not in the data: ${error}")
endif()
generate(mirrored "CAPTION \"Load value\"" "EXSTYLE WS_EX_LAYOUTRTL\nCAPTION \"Load value\"")
file(READ "${WORK}/mirrored.cpp" data)
if(NOT result EQUAL 0 OR NOT data MATCHES "\\.exStyle = WS_EX_LAYOUTRTL, \\.x = 100")
  message(FATAL_ERROR "the mirrored dialog's extended style is not in the data: ${error}")
endif()

# Statements the generator does not know are refused with their line.
function(refused case from to)
  generate(${case} "${from}" "${to}")
  if(result EQUAL 0 OR NOT error MATCHES "${case}\\.rc:[0-9]+: ")
    message(FATAL_ERROR "${case}: accepted, or refused without a line: ${error}")
  endif()
endfunction()
refused(short_form "CONTROL \"OK\", IDOK, \"BUTTON\"," "DEFPUSHBUTTON \"OK\", IDOK,")
refused(not_style "| BS_DEFPUSHBUTTON, 77" "| NOT WS_GROUP | BS_DEFPUSHBUTTON, 77")
refused(ex_style "77, 84, 50, 14" "77, 84, 50, 14, WS_EX_CLIENTEDGE")
refused(define "#include <windows.h>" "#define X 1")

# ondulane.exe carries, under the language each script of po/ names, both
# dialogs and the string table, whose subtitle reads as in the script: the
# resource compiler took the UTF-8 of every language whole.
#   cmake -DEXE=ondulane.exe -DSCRIPTS=a.rc;b.rc -DWORK=dir -P resources_test.cmake
cmake_minimum_required(VERSION 3.25)
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND wrestool -l ${EXE} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)

foreach(script ${SCRIPTS})
  file(STRINGS ${script} language REGEX "^LANGUAGE 0x")
  file(STRINGS ${script} subtitle ENCODING UTF-8 REGEX "^ *IDS_SUBTITLE, ")
  if(NOT language MATCHES "^LANGUAGE (0x[0-9a-f]+), (0x[0-9a-f]+)$")
    message(FATAL_ERROR "${script}: no LANGUAGE")
  endif()
  math(EXPR id "${CMAKE_MATCH_1} | (${CMAKE_MATCH_2} << 10)")
  # IDD_VALUES, IDD_TEXT, and the block of strings 192 to 207 (IDS_SUBTITLE is 201).
  foreach(resource "--type=5 --name=101" "--type=5 --name=102" "--type=6 --name=13")
    if(NOT listing MATCHES "${resource} --language=${id} ")
      message(FATAL_ERROR "${script}: no ${resource} in language ${id}")
    endif()
  endforeach()

  string(REGEX REPLACE "^ *IDS_SUBTITLE, \"(.*)\"$" "\\1" subtitle "${subtitle}")
  set(block ${WORK}/strings_${id})
  execute_process(COMMAND wrestool -x --raw --type=6 --name=13 --language=${id} -o ${block} ${EXE}
                  COMMAND_ERROR_IS_FATAL ANY)
  # Each string of the block is its UTF-16 units after their count.
  execute_process(COMMAND iconv -f UTF-16LE -t UTF-8 ${block} COMMAND tr -d "\\000"
                  OUTPUT_VARIABLE texts COMMAND_ERROR_IS_FATAL ANY)
  string(FIND "${texts}" "${subtitle}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${script}: the subtitle is not '${subtitle}' in language ${id}")
  endif()
endforeach()

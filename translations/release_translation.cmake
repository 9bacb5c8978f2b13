# Run by the build (see CMakeLists.txt): lupdate over the sources into a copy
# of the catalogue, which must equal the catalogue, then lrelease, whose
# report must name no unfinished or untranslated text.
get_filename_component(work_dir ${WORK} DIRECTORY)
file(MAKE_DIRECTORY ${work_dir})
file(COPY_FILE ${TS} ${WORK})
execute_process(COMMAND ${LUPDATE} ${LUPDATE_OPTIONS} ${SOURCE_DIRS} -ts ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${out}")
endif()

execute_process(COMMAND ${LRELEASE} ${WORK} -qm ${QM}
  RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lrelease failed:\n${report}")
endif()
string(REGEX MATCH "([0-9]+) unfinished" unfinished "${report}")
set(unfinished ${CMAKE_MATCH_1})
string(REGEX MATCH "Ignored ([0-9]+) untranslated" untranslated "${report}")
set(untranslated ${CMAKE_MATCH_1})
if(NOT report MATCHES "Generated [0-9]+ translation")
  message(FATAL_ERROR "lrelease gave no report of its translations:\n${report}")
endif()
if((unfinished AND unfinished GREATER 0) OR (untranslated AND untranslated GREATER 0))
  # Name the texts that wait for their German.
  file(READ ${WORK} catalogue)
  string(REGEX MATCHALL "<source>[^<]*</source>[ \n\r\t]*(<[^>]*>[^<]*</[^>]*>[ \n\r\t]*)*<translation type=\"unfinished\"" waiting "${catalogue}")
  set(names "")
  foreach(entry ${waiting})
    string(REGEX REPLACE "^<source>([^<]*)</source>.*" "\\1" text "${entry}")
    string(APPEND names "  \"${text}\"\n")
  endforeach()
  file(REMOVE ${QM})
  message(FATAL_ERROR "Texts without their German translation (lrelease: ${report}):\n${names}"
    "Translate them in ${TS} (run the target tessera_update_translations first).")
endif()

file(READ ${TS} committed)
file(READ ${WORK} updated)
if(NOT committed STREQUAL updated)
  file(REMOVE ${QM})
  message(FATAL_ERROR "${TS} is not what lupdate makes of the sources (a text was added, changed or "
    "removed): run the target tessera_update_translations and translate what it adds.")
endif()

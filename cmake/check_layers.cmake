# Checks the include direction of the editor's layers: the core includes none of the editor,
# the document (app/CTessalyDoc) includes nothing of the editor above it, editing/,
# protocol_ui/ and live_ui/ include nothing of app/ but the document, protocol_ui/ includes
# nothing of editing/, and live_ui/ and the other two include nothing of one another. Runs at configure time and as part of every build (cmake -DSOURCE_DIR=... -P).

if(NOT SOURCE_DIR)
  set(SOURCE_DIR ${CMAKE_SOURCE_DIR})
endif()

set(layer_violations "")

# check_includes(GLOBS... FORBID regex [ALLOW regex]): every quoted include of the matched
# files that matches FORBID (and not ALLOW) is a violation.
function(check_includes)
  cmake_parse_arguments(ARG "" "FORBID;ALLOW" "FILES" ${ARGN})
  file(GLOB files ${ARG_FILES})
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      if(header MATCHES "${ARG_FORBID}")
        if(ARG_ALLOW AND header MATCHES "${ARG_ALLOW}")
          continue()
        endif()
        file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
        list(APPEND layer_violations "${rel} includes ${header}")
      endif()
    endforeach()
  endforeach()
  set(layer_violations "${layer_violations}" PARENT_SCOPE)
endfunction()

foreach(dir core model catalogue convert link live)
  check_includes(FILES ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.cpp
    FORBID "^(app|editing|protocol_ui|live_ui|cli|sim)/")
endforeach()
check_includes(FILES ${SOURCE_DIR}/app/CTessalyDoc.h ${SOURCE_DIR}/app/CTessalyDoc.cpp
  FORBID "^(app|editing|protocol_ui|live_ui|cli|sim)/" ALLOW "^app/CTessalyDoc\\.h$")
foreach(dir editing protocol_ui live_ui)
  check_includes(FILES ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.cpp
    FORBID "^(app|cli|sim)/" ALLOW "^app/CTessalyDoc\\.h$")
endforeach()
foreach(dir editing protocol_ui)
  check_includes(FILES ${SOURCE_DIR}/${dir}/*.h ${SOURCE_DIR}/${dir}/*.cpp FORBID "^live_ui/")
endforeach()
check_includes(FILES ${SOURCE_DIR}/live_ui/*.h ${SOURCE_DIR}/live_ui/*.cpp
  FORBID "^(editing|protocol_ui)/")
check_includes(FILES ${SOURCE_DIR}/protocol_ui/*.h ${SOURCE_DIR}/protocol_ui/*.cpp
  FORBID "^editing/")

if(layer_violations)
  list(JOIN layer_violations "\n  " text)
  message(FATAL_ERROR "Includes against the editor's layers:\n  ${text}")
endif()

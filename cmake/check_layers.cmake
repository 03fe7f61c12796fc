# Checks that every folder includes only the layers below it (and itself). From the top:
#   app/ (the editor)
#   editing/ over register_rules/ and printing/, protocol_ui/, and live_ui/ (none of the three
#   includes another)
#   document/ (CTessalyDoc)
#   the toolkit-free core: edit/ over format/ over model/; catalogue/; convert/ (over format/
#   and catalogue/); link/ (over format/; its platform/ adapters over it); live/ (over model/
#   and format/; its Modbus adapter in platform/ over it and link/); all over core/
#   cli/ (tessaly-cli) and sim/ (ombra-sim) beside the editor, over the core.
# Runs at configure time and as part of every build (cmake -DSOURCE_DIR=... -P).

if(NOT SOURCE_DIR)
  set(SOURCE_DIR ${CMAKE_SOURCE_DIR})
endif()

set(layer_violations "")
set(project_folders
  "^(core|model|format|edit|catalogue|convert|link|live|document|register_rules|printing|protocol_ui|editing|live_ui|app|cli|sim|tests|fuzz|bench)/")

# check_folder(FOLDER ALLOW regex): every quoted include of the folder's files that names a
# project folder must match ALLOW.
function(check_folder folder)
  cmake_parse_arguments(ARG "" "ALLOW" "" ${ARGN})
  file(GLOB files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      if(header MATCHES "${project_folders}" AND NOT header MATCHES "${ARG_ALLOW}")
        file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
        list(APPEND layer_violations "${rel} includes ${header}")
      endif()
    endforeach()
  endforeach()
  set(layer_violations "${layer_violations}" PARENT_SCOPE)
endfunction()

set(core_below_edit "core|model|format")
set(whole_core "core|model|format|edit|catalogue|convert|link|live")
check_folder(core ALLOW "^core/")
check_folder(model ALLOW "^(core|model)/")
check_folder(format ALLOW "^(core|model|format)/")
check_folder(edit ALLOW "^(core|model|format|edit)/")
check_folder(catalogue ALLOW "^(core|catalogue)/")
check_folder(convert ALLOW "^(core|model|format|catalogue|convert)/")
# The link's protocol code stays below its platform adapters.
check_folder(link ALLOW "^(${core_below_edit})/|^link/[^/]+$")
check_folder(link/platform ALLOW "^(${core_below_edit}|link)/")
# Live values read the entities and speak through a host link; its Modbus adapter lies above.
check_folder(live ALLOW "^(${core_below_edit})/|^live/[^/]+$")
check_folder(live/platform ALLOW "^(${core_below_edit}|link|live)/")
check_folder(document ALLOW "^(${whole_core}|document)/")
check_folder(register_rules ALLOW "^(core|model|format|catalogue|register_rules)/")
check_folder(printing ALLOW "^(core|printing)/")
check_folder(protocol_ui ALLOW "^(${whole_core}|document|protocol_ui)/")
check_folder(editing
  ALLOW "^(${whole_core}|document|register_rules|printing|protocol_ui|editing)/")
check_folder(live_ui ALLOW "^(${whole_core}|document|live_ui)/")
check_folder(app
  ALLOW "^(${whole_core}|document|register_rules|printing|protocol_ui|editing|live_ui|app)/")
check_folder(cli ALLOW "^(${whole_core}|printing|cli)/")
check_folder(sim ALLOW "^(${whole_core}|sim)/")

if(layer_violations)
  list(JOIN layer_violations "\n  " text)
  message(FATAL_ERROR "Includes against the layers:\n  ${text}")
endif()

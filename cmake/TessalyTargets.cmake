# Small helpers so that each folder lists its sources by dropping files into it.

# tessaly_core_library(NAME [DEPS ...]): a static library from the folder's .cpp files.
function(tessaly_core_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${srcs})
  if(NOT srcs)
    # A folder whose module is not written yet still yields a linkable target.
    set(empty ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${empty} "// no sources yet\n")
    target_sources(${name} PRIVATE ${empty})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# tessaly_gtest(NAME [DEPS ...]): one GoogleTest program from the folder's .cpp files.
function(tessaly_gtest name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "/tst_[^/]*\\.cpp$")
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE tessaly_test_support ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TESSALY_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    TESSALY_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TESSALY_BINARY_DIR="${CMAKE_BINARY_DIR}")
  include(GoogleTest)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

# tessaly_qtests([DEPS ...]): one Qt Test program per tst_*.cpp file of the folder.
function(tessaly_qtests)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB tsts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  foreach(src ${tsts})
    get_filename_component(base ${src} NAME_WE)
    add_executable(${base} ${src})
    target_link_libraries(${base} PRIVATE tessaly_test_support ${ARG_DEPS} Qt6::Test)
    target_compile_definitions(${base} PRIVATE TESSALY_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
      TESSALY_SOURCE_DIR="${CMAKE_SOURCE_DIR}" TESSALY_BINARY_DIR="${CMAKE_BINARY_DIR}")
    add_test(NAME ${base} COMMAND ${base})
    set_tests_properties(${base} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
  endforeach()
endfunction()

# kelvane_add_test(NAME source... LIBS lib...)
# One line per test program; fixtures are reached through KELVANE_TEST_DATA.
function(kelvane_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    KELVANE_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    KELVANE_SOURCE_DATA="${PROJECT_SOURCE_DIR}/data")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 300)
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
endfunction()

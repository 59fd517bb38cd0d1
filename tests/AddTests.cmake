# Read by ctest: one test of ctest's for each test the binary lists, run in
# a process of its own. Written here rather than left to CMake's gtest
# discovery, which marks a test skipped wherever "[  SKIPPED ]" stands in
# its output, even a failing test's quoting a child run's report; here only
# gtest's own closing report of the test as skipped counts, and a test that
# failed ends with the failures' report instead.
#   TESTS_EXE  the test binary      TESTS_DIR  where its tests run
#   TESTS_ENV  environment, ";"-separated
#   TESTS_FILTER  which tests (default: all but the DISABLED_ helpers, which
#                 other tests run in processes of their own)
if(NOT DEFINED TESTS_FILTER)
  set(TESTS_FILTER "-*.DISABLED_*")
endif()
execute_process(COMMAND "${TESTS_EXE}" --gtest_list_tests "--gtest_filter=${TESTS_FILTER}"
  OUTPUT_VARIABLE listed RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
  add_test(vorlumen_tests.List "${TESTS_EXE}" --gtest_list_tests)
  return()
endif()
# gtest's closing report for one test skipped, up to the end of the output:
# "[  PASSED  ] 0 tests." then "[  SKIPPED ] 1 test, listed below:" then
# "[  SKIPPED ] Suite.Name" ("." matches the line ends; a name holds no
# space, and a failing run ends with " FAILED TEST", which does).
set(skipped "\\[  PASSED  \\] 0 tests\\..\\[  SKIPPED \\] 1 test, listed below:.\\[  SKIPPED \\] [^ ]+$")
string(REPLACE "\n" ";" lines "${listed}")
set(suite "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ]+)\\.(  #.*)?$")
    set(suite "${CMAKE_MATCH_1}")
  elseif(suite AND line MATCHES "^  ([^ ]+)(  #.*)?$")
    set(name "${suite}.${CMAKE_MATCH_1}")
    add_test("${name}${CMAKE_MATCH_2}" "${TESTS_EXE}" "--gtest_filter=${name}" --gtest_also_run_disabled_tests)
    set_tests_properties("${name}${CMAKE_MATCH_2}" PROPERTIES WORKING_DIRECTORY "${TESTS_DIR}"
      ENVIRONMENT "${TESTS_ENV}" TIMEOUT 300 SKIP_REGULAR_EXPRESSION "${skipped}")
  endif()
endforeach()

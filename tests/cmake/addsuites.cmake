# Run after a test executable is built: lists its GoogleTest suites and
# writes one ctest test per suite into OUTPUT, named after the suite, so
# that ctest's lines stay as short as the suite names.
#   -D EXECUTABLE=... -D OUTPUT=... -D BIN_DIR=...
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${EXECUTABLE} --gtest_list_tests
    OUTPUT_VARIABLE listing
    ERROR_VARIABLE errors
    RESULT_VARIABLE result
    TIMEOUT 60)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "Listing the tests of ${EXECUTABLE} failed (${result}):\n${listing}${errors}")
endif()

set(script "")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
    # Suite lines end in "." (typed suites add "  # TypeParam = ..."); test
    # lines are indented; anything else is the program talking.
    if(line MATCHES "^([^ #]+)\\.( +#.*)?$")
        set(suite "${CMAKE_MATCH_1}")
        string(APPEND script
            "add_test([==[${suite}]==] [==[${EXECUTABLE}]==] [==[--gtest_filter=${suite}.*]==])\n"
            "set_tests_properties([==[${suite}]==] PROPERTIES ENVIRONMENT "
            "[==[QT_QPA_PLATFORM=offscreen;WYKAZKI_BIN_DIR=${BIN_DIR}]==])\n")
    endif()
endforeach()
file(WRITE "${OUTPUT}" "${script}")

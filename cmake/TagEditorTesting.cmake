# tageditor_add_gtest(NAME SOURCES ... LIBS ...): a GoogleTest executable registered with CTest.
# tageditor_add_qtest(NAME SOURCES ... LIBS ...): a Qt Test executable run headless (offscreen).
# Both keep the rollback journals of their Saves in the build tree, not in the user's home.
include(GoogleTest)

set(TAGEDITOR_TEST_STATE "XDG_STATE_HOME=set:${CMAKE_BINARY_DIR}/test-state")

function(tageditor_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    # One variable per property: discovered tests lose the separators of a list.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        ENVIRONMENT_MODIFICATION "${TAGEDITOR_TEST_STATE}")
endfunction()

function(tageditor_add_qtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        ENVIRONMENT_MODIFICATION "${TAGEDITOR_TEST_STATE}")
endfunction()

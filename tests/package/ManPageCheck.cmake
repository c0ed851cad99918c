# Renders the manual page PAGE as man does for a reader (and as lintian checks it) and fails on any
# warning from groff or man. Run with -DPAGE=... -P ManPageCheck.cmake
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
        man --warnings -E UTF-8 -l -Tutf8 -Z "${PAGE}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man could not render ${PAGE} cleanly (exit ${result}):\n${warnings}")
endif()

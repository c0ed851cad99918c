# The release this tree builds: the only place its version and date are written. The build, the
# about box, the AppStream metainfo, the man pages and the Debian package's changelog take them
# from here. Run as a script (cmake -P), it prints "VERSION DATE" for scripts/package.sh.
set(TAGEDITOR_VERSION 1.4)
set(TAGEDITOR_RELEASE_DATE 2026-12-08)

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E echo "${TAGEDITOR_VERSION} ${TAGEDITOR_RELEASE_DATE}")
endif()

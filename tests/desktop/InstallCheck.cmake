# Installs the build tree into PREFIX and checks that what a desktop and man need is where they look.
# Run with -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -P InstallCheck.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

include(GNUInstallDirs)
set(expected
    "${CMAKE_INSTALL_BINDIR}/tageditor"
    "${CMAKE_INSTALL_BINDIR}/tageditor-cli"
    "${CMAKE_INSTALL_MANDIR}/man1/tageditor.1"
    "${CMAKE_INSTALL_MANDIR}/man1/tageditor-cli.1"
    "${CMAKE_INSTALL_DATADIR}/applications/${APP_ID}.desktop"
    "${CMAKE_INSTALL_DATADIR}/metainfo/${APP_ID}.metainfo.xml"
    "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps/${APP_ID}.svg")
foreach(size 16 24 32 48 64 128 256)
    list(APPEND expected "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(SEND_ERROR "not installed: ${path}")
    endif()
endforeach()

# The editor looks for its help file in the folder of the executable it really runs from.
file(REAL_PATH "${PREFIX}/${CMAKE_INSTALL_BINDIR}/tageditor" editor)
get_filename_component(editor_dir "${editor}" DIRECTORY)
if(NOT EXISTS "${editor_dir}/quillet.chm")
    message(SEND_ERROR "quillet.chm is not beside the installed editor (${editor_dir})")
endif()
if(NOT IS_DIRECTORY "${PREFIX}/${CMAKE_INSTALL_BINDIR}" OR IS_DIRECTORY "${editor}")
    message(SEND_ERROR "the installed editor is not a program: ${editor}")
endif()

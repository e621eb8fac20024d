# Installs the build into a temporary prefix and checks that every file is where it belongs.
# -DBUILD=<build folder> -DPREFIX=<empty folder> -DSHELL=ON|OFF
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(expected bin/kestrovel-cli bin/kestrovel-desktop share/kestrovel/sample.kst share/kestrovel/shaft.dxf
    share/kestrovel/Debug/Post.ini share/kestrovel/Debug/LinuxCncLathe.itm share/kestrovel/Debug/LinuxCncLathe.pos
    share/kestrovel/Debug/Tools.ini
    share/applications/kestrovel.desktop share/icons/hicolor/scalable/apps/kestrovel.svg
    share/mime/packages/kestrovel.xml share/doc/Kestrovel/LICENSE)
if(SHELL)
    list(APPEND expected bin/kestrovel)
endif()
foreach(f ${expected})
    if(NOT EXISTS ${PREFIX}/${f})
        message(FATAL_ERROR "missing after install: ${f}")
    endif()
endforeach()
file(READ ${PREFIX}/share/mime/packages/kestrovel.xml mime)
if(NOT mime MATCHES "Kestro Document" OR NOT mime MATCHES "\\*\\.kst")
    message(FATAL_ERROR "the MIME type does not name Kestro Document *.kst")
endif()
# The installed tool runs and reads the installed sample.
execute_process(COMMAND ${PREFIX}/bin/kestrovel-cli dump ${PREFIX}/share/kestrovel/sample.kst
    RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the installed kestrovel-cli does not run")
endif()
# The desktop start copies the post-processor folder into the user's own folder once.
set(ENV{XDG_DATA_HOME} ${PREFIX}/home)
execute_process(COMMAND sh -c "sed 's|^exec .*|pwd|' '${PREFIX}/bin/kestrovel-desktop' > '${PREFIX}/bin/probe.sh' && sh '${PREFIX}/bin/probe.sh'"
    OUTPUT_VARIABLE cwd RESULT_VARIABLE rc)
file(REMOVE ${PREFIX}/bin/probe.sh)
string(STRIP "${cwd}" cwd)
if(NOT rc EQUAL 0 OR NOT cwd STREQUAL "${PREFIX}/home/kestrovel" OR NOT EXISTS ${PREFIX}/home/kestrovel/Debug/Post.ini)
    message(FATAL_ERROR "the first desktop start did not prepare the user's folder (${cwd})")
endif()

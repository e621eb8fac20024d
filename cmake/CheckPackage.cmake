# Builds the Debian package with cpack and holds it to Debian's checks: lintian without errors or
# warnings (beyond the package's own overrides), the menu entry and the AppStream file valid, the
# manual pages and the copyright file in place and the programs stripped.
# -DBUILD=<build folder> -DOUT=<empty folder> -DSOURCE=<source folder> -DCPACK=<cpack>
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${CPACK} -G DEB -B ${OUT} WORKING_DIRECTORY ${BUILD}
    RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed: ${rc}\n${log}")
endif()
file(GLOB deb ${OUT}/kestrovel_*.deb)
file(GLOB dbgsym ${OUT}/kestrovel-dbgsym_*.ddeb ${OUT}/kestrovel-dbgsym_*.deb)
if(NOT deb)
    message(FATAL_ERROR "cpack made no kestrovel package in ${OUT}")
endif()

find_program(LINTIAN lintian REQUIRED)
execute_process(COMMAND ${LINTIAN} --fail-on error,warning --no-tag-display-limit ${deb}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
message("lintian ${deb}:\n${out}")
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "lintian finds errors or warnings in the package")
endif()

set(root ${OUT}/root)
execute_process(COMMAND dpkg-deb -x ${deb} ${root} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb cannot unpack ${deb}")
endif()
set(doc ${root}/usr/share/doc/kestrovel)
foreach(f ${doc}/copyright ${doc}/changelog.gz ${root}/usr/share/man/man1/kestrovel.1.gz
        ${root}/usr/share/man/man1/kestrovel-cli.1.gz ${root}/usr/share/man/man1/kestrovel-desktop.1.gz
        ${root}/usr/share/metainfo/io.github.kestrovel.Kestrovel.metainfo.xml)
    if(NOT EXISTS ${f})
        message(FATAL_ERROR "missing in the package: ${f}")
    endif()
endforeach()
# Every command of the tool has its section in the tool's manual page.
execute_process(COMMAND gzip -dc ${root}/usr/share/man/man1/kestrovel-cli.1.gz OUTPUT_VARIABLE page)
foreach(command new dump add program command compile import-dxf export-dxf render verify)
    if(NOT page MATCHES "\n\\.SS ${command}\n")
        message(FATAL_ERROR "the manual page of kestrovel-cli has no section for ${command}")
    endif()
endforeach()

find_program(DESKTOP_VALIDATE desktop-file-validate REQUIRED)
execute_process(COMMAND ${DESKTOP_VALIDATE} ${root}/usr/share/applications/kestrovel.desktop
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0 OR out MATCHES "error|warning")
    message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --explain
        ${root}/usr/share/metainfo/io.github.kestrovel.Kestrovel.metainfo.xml
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate: ${out}")
endif()

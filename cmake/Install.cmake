# What "cmake --install" puts where, and the Debian package made by "cpack -G DEB".
include(GNUInstallDirs)
# The documentation folder is named after the package, not after the project.
set(kestrovel_doc ${CMAKE_INSTALL_DATADIR}/doc/kestrovel)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(kestrovel_share ${CMAKE_INSTALL_DATADIR}/kestrovel)
foreach(program kestrovel kestrovel-cli)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
install(PROGRAMS packaging/kestrovel-desktop DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY examples/Debug DESTINATION ${kestrovel_share}
    PATTERN "*.ngc" EXCLUDE PATTERN "*.nc" EXCLUDE PATTERN "*.bak" EXCLUDE)
install(FILES examples/sample.kst examples/shaft.dxf DESTINATION ${kestrovel_share})
install(FILES packaging/kestrovel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/kestrovel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/kestrovel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME kestrovel.xml)
install(FILES packaging/io.github.kestrovel.Kestrovel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian keeps the licence in the machine-readable copyright file; the full GPL text is in
# /usr/share/common-licenses.
install(FILES packaging/copyright README.md DESTINATION ${kestrovel_doc})

# Manual pages and the changelog, compressed as Debian wants them (no name or time in the header).
set(kestrovel_gz ${PROJECT_BINARY_DIR}/packaging)
set(kestrovel_pages)
foreach(page kestrovel kestrovel-desktop)
    add_custom_command(OUTPUT ${kestrovel_gz}/${page}.1.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${kestrovel_gz}
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/man/${page}.1 > ${kestrovel_gz}/${page}.1.gz
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/man/${page}.1 VERBATIM)
    list(APPEND kestrovel_pages ${kestrovel_gz}/${page}.1.gz)
endforeach()
if(TARGET kestrovel-cli)
    add_custom_command(OUTPUT ${kestrovel_gz}/kestrovel-cli.1.gz
        COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:kestrovel-cli> -DOUT=${kestrovel_gz}/kestrovel-cli.1
            -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake
        COMMAND gzip -9nf ${kestrovel_gz}/kestrovel-cli.1
        DEPENDS kestrovel-cli ${PROJECT_SOURCE_DIR}/cmake/CliManPage.cmake VERBATIM)
    list(APPEND kestrovel_pages ${kestrovel_gz}/kestrovel-cli.1.gz)
endif()
add_custom_command(OUTPUT ${kestrovel_gz}/changelog.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/changelog > ${kestrovel_gz}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(kestrovel_docs ALL DEPENDS ${kestrovel_pages} ${kestrovel_gz}/changelog.gz)
install(FILES ${kestrovel_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${kestrovel_gz}/changelog.gz DESTINATION ${kestrovel_doc})

set(CPACK_PACKAGE_NAME kestrovel)
set(CPACK_PACKAGE_VENDOR "Kestrovel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAD editor for the profile of turned parts with a CNC post-processor")
# The long description; an empty line separates paragraphs.
set(CPACK_PACKAGE_DESCRIPTION "Kestrovel draws the contour (profile) of turned and profile-cut parts from
lines and arcs on six layers between a left and a right border, and edits it
with select, range, move, mirror and turn tools. Feed, speed and an allowance
are set per element.

CNC programs are built from command templates and compiled against the profile
by a built-in post-processor whose vocabulary comes from plain-text definition
files; samples for LinuxCNC and a Fanuc-style lathe control are included. The
compiled tool path can be read back and checked against the drawn profile.

Drawings are exchanged with other CAD programs as DXF and exported as SVG, PNG
or PDF pictures. Drawings with unsaved changes are kept in recovery files and
offered again after a crash. kestrovel-cli works on drawings from scripts.")
set(CPACK_PACKAGE_CONTACT "Kestrovel developers <packaging@kestrovel.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/kestrovel/kestrovel")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Stripped programs. No -dbgsym package: the one CPack 3.25 makes lists its files under the
# build folder's absolute paths in md5sums, which lintian rightly rejects.
set(CPACK_STRIP_FILES ON)
# The run-time libraries' packages, as dpkg-shlibdeps finds them in the programs, plus the fonts
# the window draws its texts with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)

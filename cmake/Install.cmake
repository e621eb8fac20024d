# What "cmake --install" puts where, and the Debian package made by "cpack -G DEB".
include(GNUInstallDirs)
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
install(FILES LICENSE README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME kestrovel)
set(CPACK_PACKAGE_VENDOR "Kestrovel")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CAD editor for the profile of turned parts with a CNC post-processor")
set(CPACK_PACKAGE_CONTACT "Kestrovel developers <kestrovel@localhost>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The run-time libraries' packages, as dpkg-shlibdeps finds them in the programs, plus the fonts
# the window draws its texts with.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
include(CPack)

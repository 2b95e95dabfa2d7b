# What a release is made of: the version shown by the programs, the files installed beside them
# and the Debian package (`make package`, which runs `cpack -G DEB`).
#
# The version is the one of project() in CMakeLists.txt; the date below is that release's date.
set(CW_RELEASE_DATE "2026-12-09")
# The reverse-DNS name that the desktop entry, the AppStream data and the window share, the
# home page and the maintainer. conewright.example stands for the project's own domain until it
# has one; changing it here changes every installed file that names it.
set(CW_APP_ID "example.conewright.Conewright")
set(CW_HOMEPAGE "https://conewright.example/")
set(CW_MAINTAINER "Conewright Developer <dev@conewright.example>")

include(GNUInstallDirs)
set(CW_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/conewright)
set(CW_GENERATED ${CMAKE_CURRENT_BINARY_DIR}/release)

target_compile_definitions(conewright PRIVATE CW_VERSION="${PROJECT_VERSION}"
                                              CW_APP_ID="${CW_APP_ID}")
target_compile_definitions(conewright-cli PRIVATE CW_VERSION="${PROJECT_VERSION}")
install(TARGETS conewright conewright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The desktop entry, the AppStream data and the file types, registered once at installation
# (the distribution's triggers update the menus, the icon cache and the MIME database).
install(FILES resources/conewright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${CW_APP_ID}.desktop)
configure_file(resources/conewright.metainfo.xml.in ${CW_GENERATED}/${CW_APP_ID}.metainfo.xml
               @ONLY)
install(FILES ${CW_GENERATED}/${CW_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/conewright-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME conewright.xml)
install(FILES resources/conewright-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME conewright-cli)

# The icon: the drawing itself, and pictures of it for the sizes menus and docks ask for.
install(FILES resources/conewright.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(CW_RSVG_CONVERT rsvg-convert)
if(CW_RSVG_CONVERT)
    set(icons)
    foreach(size 16 22 24 32 48 64 128 256)
        set(png ${CW_GENERATED}/icons/${size}/conewright.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CW_GENERATED}/icons/${size}
            COMMAND ${CW_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                    ${CMAKE_CURRENT_SOURCE_DIR}/resources/conewright.svg
            DEPENDS resources/conewright.svg VERBATIM)
        list(APPEND icons ${png})
        install(FILES ${png}
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(conewright_icons ALL DEPENDS ${icons})
else()
    message(WARNING "rsvg-convert (package librsvg2-bin) is missing: only the scalable icon is "
                    "installed")
endif()

# Manual pages and the changelog, compressed as Debian wants them.
set(gzipped)
function(cw_gzip source target)
    add_custom_command(OUTPUT ${target}
        COMMAND gzip -9nc ${source} > ${target}
        DEPENDS ${source} VERBATIM)
    set(gzipped ${gzipped} ${target} PARENT_SCOPE)
endfunction()
foreach(page conewright conewright-cli)
    configure_file(docs/man/${page}.1.in ${CW_GENERATED}/${page}.1 @ONLY)
    cw_gzip(${CW_GENERATED}/${page}.1 ${CW_GENERATED}/${page}.1.gz)
    install(FILES ${CW_GENERATED}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
execute_process(COMMAND date -R -u -d ${CW_RELEASE_DATE}
                OUTPUT_VARIABLE CW_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(packaging/changelog.in ${CW_GENERATED}/changelog @ONLY)
cw_gzip(${CW_GENERATED}/changelog ${CW_GENERATED}/changelog.gz)
add_custom_target(conewright_release_files ALL DEPENDS ${gzipped})

# The user manual, the file formats and the licence.
install(FILES ${CW_GENERATED}/changelog.gz packaging/copyright README.md docs/file-formats.md
        DESTINATION ${CW_DOC_DIR})
install(DIRECTORY docs/manual/ DESTINATION ${CW_DOC_DIR}/manual)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME conewright)
set(CPACK_PACKAGE_VENDOR Conewright)
set(CPACK_PACKAGE_CONTACT "${CW_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "loudspeaker design workbench")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Conewright designs loudspeaker enclosures from the Thiele-Small parameters\n"
    "of a driver. It sizes closed, vented, bandpass and passive radiator boxes,\n"
    "calculates SPL, cone excursion, phase, group delay and impedance, keeps ten\n"
    "designs for comparison, sizes crossovers, boxes and vents, and prints\n"
    "one-page reports. A driver database keeps a library of drivers.\n"
    "\n"
    "The conewright-cli program runs the same engine from the command line and\n"
    "writes curves, plots and reports.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${CW_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps. The Qt plugins loaded at run time (the X11 and
# offscreen platforms, the SVG icon engine and image reader) ship in the packages of libraries the
# programs link, so of what the linker does not see only the fonts the reports measure text
# with are left to name. On a Wayland desktop the window is native with qt6-wayland, and goes
# through XWayland without it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)

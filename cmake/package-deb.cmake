# The Debian package: `cpack -G DEB` in the Linux build with the desktop program makes it
# from the same installation as everything else, plus what a Debian system expects around
# the programs (desktop entry, icons, manual pages, copyright, changelog).
if(WIN32 OR CMAKE_CROSSCOMPILING OR NOT TARGET quillet)
    return()
endif()

# The changelog is written by hand at each release; it must name the version being built.
file(STRINGS packaging/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^quillet \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/debian/changelog does not start with version ${PROJECT_VERSION}")
endif()

set(deb_dir ${CMAKE_BINARY_DIR}/deb)
set(doc ${CMAKE_INSTALL_DATADIR}/doc/quillet)
set(deb_files)

# Manual pages from each program's --help.
set(summaries
    "quillet|hands scanned machining labels to the machine control"
    "quillet-replay|runs a script of scans through the label logic and writes the trace"
    "quillet-pack|turns a program label's text into a compressed 2D label")
foreach(entry IN LISTS summaries)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 program)
    list(GET entry 1 summary)
    set(page ${deb_dir}/${program}.1.gz)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${program}> -DNAME=${program}
                "-DSUMMARY=${summary}" -DVERSION=${PROJECT_VERSION}
                -DOUTPUT=${deb_dir}/${program}.1 -P ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake
        COMMAND gzip -9nf ${deb_dir}/${program}.1
        DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/manpage.cmake VERBATIM)
    list(APPEND deb_files ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

add_custom_command(OUTPUT ${deb_dir}/changelog.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/debian/changelog > ${deb_dir}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog VERBATIM)
list(APPEND deb_files ${deb_dir}/changelog.gz)
add_custom_target(quillet_deb_files ALL DEPENDS ${deb_files})

install(FILES ${deb_dir}/changelog.gz packaging/debian/copyright DESTINATION ${doc})
install(FILES packaging/debian/quillet.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(side 16 32 48)
    install(FILES packaging/icons/quillet-${side}.png RENAME quillet.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${side}x${side}/apps)
endforeach()
install(FILES packaging/icons/quillet.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Quillet developers <developers@quillet.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "barcode scanner link for a CNC machine control")
# The synopsis line comes from the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "An operator scans barcode labels with a serial scanner; Quillet decides what
each label is (a control command, a machine field, a row of a label set, a
program name, a whole machining program in a 2D barcode, possibly compressed,
or a list file) and hands the result to the control's execution list,
choosing the machine field from the piece's size.
.
This package holds the desktop program (Qt 6) with a simulated control and a
demo set-up (quillet --demo), quillet-replay, which checks a batch of labels
before they are printed, and quillet-pack, which makes compressed labels.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its display plugins at run time, so the libraries' dependencies do not name them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

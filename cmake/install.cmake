# What an installation holds: the Debian package and the Windows installer and zip are made
# from `cmake --install` of a build, so all three carry the same programs and files.
set(quillet_programs quillet-replay quillet-pack)
if(TARGET quillet)
    list(PREPEND quillet_programs quillet)
endif()

if(WIN32)
    # One flat folder, as the installer and the zip lay it out.
    install(TARGETS ${quillet_programs} RUNTIME DESTINATION .)
    # Named after us: the folder may be the host's, which may have a README of its own.
    install(FILES README.md DESTINATION . RENAME "Quillet README.txt")
    # Never beside the programs: a ZOR.INI there would hide the host's own.
    install(FILES packaging/ZOR.INI DESTINATION Samples)
    install(DIRECTORY ${QUILLET_TEST_LABELS}/ DESTINATION "Test Labels")
else()
    include(GNUInstallDirs)
    install(TARGETS ${quillet_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    set(doc ${CMAKE_INSTALL_DATADIR}/doc/quillet)
    install(FILES README.md DESTINATION ${doc})
    install(FILES packaging/ZOR.INI DESTINATION ${doc}/examples)
    install(DIRECTORY ${QUILLET_TEST_LABELS}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillet/test-labels)
    if(TARGET quillet)
        install(DIRECTORY demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillet/demo)
    endif()
endif()

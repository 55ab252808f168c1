# What `cmake --install` puts under the prefix: the programs, the plug-in with the data library
# it links, lp-host's manual page, the example component and the documentation. Tests,
# benchmarks and fuzzing harnesses stay in the build folder.

# Installed binaries find the data library relative to themselves (lp-host finds the plug-in
# the same way, see host/CMakeLists.txt).
set_target_properties(loadpulleditor PROPERTIES INSTALL_RPATH "$ORIGIN")
set_target_properties(lp-host PROPERTIES INSTALL_RPATH "$ORIGIN/${LP_PLUGINDIR_FROM_BINDIR}")

install(TARGETS lp-host RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
install(TARGETS loadpulleditor lpsimcore LIBRARY DESTINATION ${LP_INSTALL_PLUGINDIR}
        COMPONENT runtime)

# The manual page is written from lp-host's --help, so that the two always agree.
set(lp_manpage ${PROJECT_BINARY_DIR}/lp-host.1)
add_custom_command(
    OUTPUT ${lp_manpage} ${lp_manpage}.gz
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:lp-host>
            -DTEMPLATE=${PROJECT_SOURCE_DIR}/docs/lp-host.1.in -DOUTPUT=${lp_manpage}
            -DVERSION=${PROJECT_VERSION} -DPLUGINDIR=${LP_INSTALL_PLUGINDIR}
            -DEXAMPLESDIR=${LP_INSTALL_EXAMPLESDIR} -DDOCDIR=${CMAKE_INSTALL_DOCDIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/LpManPage.cmake
    DEPENDS lp-host ${PROJECT_SOURCE_DIR}/docs/lp-host.1.in
            ${PROJECT_SOURCE_DIR}/cmake/LpManPage.cmake
    COMMENT "Writing lp-host's manual page from its --help")
add_custom_target(lp_manpage ALL DEPENDS ${lp_manpage}.gz)
install(FILES ${lp_manpage}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)

install(TARGETS lp-datagen RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT examples)
install(FILES examples/pa_amplifier.json DESTINATION ${LP_INSTALL_EXAMPLESDIR}
        COMPONENT examples)
install(DIRECTORY examples/data DESTINATION ${LP_INSTALL_EXAMPLESDIR} COMPONENT examples)

install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT documentation)
install(DIRECTORY docs DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT documentation
        PATTERN "*.in" EXCLUDE)

# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` installs,
# under /usr. Its dependencies are read from the binaries (dpkg-shlibdeps, from dpkg-dev).
set(LP_PACKAGE_MAINTAINER "LoadPullEditor maintainers <loadpulleditor@example.invalid>"
    CACHE STRING "The Debian package's maintainer: name <address>")

set(CPACK_PACKAGE_NAME ${LP_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "DataBasedLoadPull settings editor plug-in, with its reference host")
# Lines as they stand in the package's control file, at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "The settings editor of the DataBasedLoadPull component, as a plug-in library"
    "that a circuit design environment loads into its own process: it picks the"
    "component's load-pull data files, shows the variables they hold and sets the"
    "component's output, interpolation, analysis and port options."
    ""
    "The package holds the plug-in with its load-pull data library; lp-host, the"
    "reference host, which opens the editor of a component kept in a JSON file and"
    "draws Smith charts of data files; an example component, and lp-datagen, which"
    "writes its data files.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LP_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Qt 6 keeps its platform plug-ins in a package of their own, which its libraries only
# recommend: without one, lp-host can open neither a window nor an offscreen platform.
if(LP_QT_MAJOR EQUAL 6)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
endif()
set(CPACK_GENERATOR DEB)
include(CPack)

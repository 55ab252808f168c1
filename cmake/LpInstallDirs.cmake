# Where `cmake --install` puts things, relative to the prefix (GNUInstallDirs).
set(LP_PACKAGE_NAME loadpulleditor)

# On Debian the libraries go under the multiarch folder whatever the prefix, as Debian's own
# packaging puts them, so that an install under /usr/local and the package lay out alike.
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CMAKE_INSTALL_LIBDIR)
    set(CMAKE_INSTALL_LIBDIR "lib/${CMAKE_LIBRARY_ARCHITECTURE}"
        CACHE PATH "Object code libraries (lib/${CMAKE_LIBRARY_ARCHITECTURE})")
endif()
if(NOT DEFINED CMAKE_INSTALL_DOCDIR)
    set(CMAKE_INSTALL_DOCDIR "share/doc/${LP_PACKAGE_NAME}"
        CACHE PATH "Documentation root (share/doc/${LP_PACKAGE_NAME})")
endif()
include(GNUInstallDirs)

# The plug-in and the data library it links get a folder of their own: the host loads the
# plug-in by path, and no other program is meant to find the data library.
set(LP_INSTALL_PLUGINDIR "${CMAKE_INSTALL_LIBDIR}/${LP_PACKAGE_NAME}")
set(LP_INSTALL_EXAMPLESDIR "${CMAKE_INSTALL_DATADIR}/${LP_PACKAGE_NAME}/examples")
# The installed lp-host reaches the plug-in and the data library through this path from its own
# folder, so that the tree works under any prefix with no LD_LIBRARY_PATH.
file(RELATIVE_PATH LP_PLUGINDIR_FROM_BINDIR "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_LIBDIR}/${LP_PACKAGE_NAME}")

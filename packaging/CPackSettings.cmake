# The Debian package quelvorant_<version>_<arch>.deb, made by `cpack -G DEB`
# from the install rules. The version is the project's.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quelvorant)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quelcraft)
set(CPACK_PACKAGE_CONTACT "Quelcraft Team <team@quelcraft.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "system information and CPU benchmark")
# The long description, read here because cpack would escape it for XML.
file(READ ${CMAKE_CURRENT_LIST_DIR}/description.txt quel_description)
string(STRIP "${quel_description}" CPACK_DEBIAN_PACKAGE_DESCRIPTION)

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
if(QUEL_DEB_ARCHITECTURE)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${QUEL_DEB_ARCHITECTURE})
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)
# Library dependencies come from dpkg-shlibdeps, run by our own script
# rather than CPack's, so the package has no maintainer scripts; it finds
# libQuelCore.so in the package's own private folder (a path below the
# staging directory).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    .${CPACK_PACKAGING_INSTALL_PREFIX}/${QUEL_INSTALL_PROGRAM_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/SharedLibraryDepends.cmake)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

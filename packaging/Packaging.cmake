# Desktop integration, documentation (manual pages, changelog) and the Debian
# package. The program's own files are installed by the folders that build
# them.
if(QUEL_CORE_ONLY)
  return()
endif()

add_subdirectory(tools/icons)
add_subdirectory(packaging/man)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/quelvorant.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quelvorant.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
              ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quelvorant)

# The Debian changelog, gzip'd without name or time stamp so the package is
# the same from build to build. The version has no Debian revision (a
# native package), so its name is changelog.gz, not changelog.Debian.gz.
set(quel_changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${quel_changelog_gz}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog
  COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
  VERBATIM)
add_custom_target(quel_changelog ALL DEPENDS ${quel_changelog_gz})
install(FILES ${quel_changelog_gz} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quelvorant)

# Everything the install rules take from the build, for ./package and the
# installation tests, which need no more than this built.
add_custom_target(quel_installed_files)
add_dependencies(quel_installed_files quelvorant quelvorant-cli QuelCore he3 quel_testinput_file quel_icons
                 quel_manual_pages quel_changelog)

include(${CMAKE_CURRENT_LIST_DIR}/CPackSettings.cmake)

# Desktop integration, documentation and the Debian package. The program's
# own files are installed by the folders that build them.
if(QUEL_CORE_ONLY)
  return()
endif()

add_subdirectory(tools/icons)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/quelvorant.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quelvorant.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
              ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quelvorant)

# Everything the install rules take from the build, for ./package and the
# installation tests, which need no more than this built.
add_custom_target(quel_installed_files)
add_dependencies(quel_installed_files quelvorant quelvorant-cli QuelCore he3 quel_testinput_file quel_icons)

include(${CMAKE_CURRENT_LIST_DIR}/CPackSettings.cmake)

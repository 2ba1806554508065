# Run by cpack once the package's files lie in its staging folder: the
# package's Depends, from dpkg-shlibdeps on every ELF file, which finds
# libQuelCore.so in the package's own private folder.
#
# CPack's CPACK_DEBIAN_PACKAGE_SHLIBDEPS would do the same, but on finding a
# shared library below /usr/lib it also adds postinst and postrm scripts
# that run ldconfig, which a private library found through RPATH does not
# need.
set(root ${CPACK_TEMPORARY_DIRECTORY})
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
set(elf_files)
foreach(file IN LISTS files)
  if(NOT IS_SYMLINK ${root}/${file})
    file(READ ${root}/${file} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      list(APPEND elf_files ${file})
    endif()
  endif()
endforeach()

# dpkg-shlibdeps wants a debian/control, and a DEBIAN folder to know the
# package's root when it resolves $ORIGIN; neither goes into the package.
file(MAKE_DIRECTORY ${root}/debian ${root}/DEBIAN)
file(WRITE ${root}/debian/control "")
set(private_dirs)
foreach(dir IN LISTS CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS)
  list(APPEND private_dirs -l${dir})
endforeach()
# A cross build's package names its architecture; dpkg-shlibdeps then reads
# that architecture's libraries and symbol files, with its objdump.
set(host_arch)
if(CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  set(host_arch DEB_HOST_ARCH=${CPACK_DEBIAN_PACKAGE_ARCHITECTURE})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${host_arch}
                        dpkg-shlibdeps ${private_dirs} -O ${elf_files}
  WORKING_DIRECTORY ${root}
  OUTPUT_VARIABLE substvars
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  OUTPUT_STRIP_TRAILING_WHITESPACE)
file(REMOVE_RECURSE ${root}/debian ${root}/DEBIAN)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-shlibdeps ${private_dirs} -O ${elf_files}: ${errors}")
endif()
string(REGEX REPLACE "^shlibs:Depends=" "" CPACK_DEBIAN_PACKAGE_DEPENDS "${substvars}")

# Where `cmake --install` and the Debian package put things, below the prefix.
include(GNUInstallDirs)

# The program, its processor-information library and its test input share one
# private folder: the program finds the library through RPATH $ORIGIN and the
# test input beside its own executable. bin/quelvorant links to it.
set(QUEL_INSTALL_PROGRAM_DIR lib/quelvorant)

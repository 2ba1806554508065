# CMake toolchain for building Quelvorant for 64-bit ARM (aarch64) on a
# Debian x86-64 machine with crossbuild-essential-arm64 and the arm64
# libraries of the multiarch tree (tools/setup.sh,
# quel_install_arm64_packages). Used by ./test-arm64:
#   cmake -DCMAKE_TOOLCHAIN_FILE=tools/arm64/aarch64-linux-gnu.cmake ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# The cross compiler's own C library lies in /usr/aarch64-linux-gnu, the
# arm64 packages' libraries in /usr/lib/aarch64-linux-gnu (multiarch), below
# the root /, where the library architecture keeps the searches to arm64.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
# Programs run during the build come from the build machine; libraries,
# headers and CMake packages only below the roots above.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config reads the arm64 .pc files and the architecture-free ones only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# moc, uic and rcc of the build machine's Qt.
set(QT_HOST_PATH /usr)

# How the build runs its own programs (the test input's generator, the icon
# renderer, the tests' listing): through qemu, with the arm64 C library of
# the multiarch tree. The programs that run others (help2man, the tests'
# child processes) need qemu registered with binfmt_misc (./test-arm64).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-aarch64-static)

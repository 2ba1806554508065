# Shared set-up of ./run, ./test, ./package and ./test-arm64: installs the
# Debian/Ubuntu packages the build needs (only those missing), and those of
# the arm64 cross build, then configures and builds the program.
# Sourced, not run.

QUEL_PACKAGES=(
  cmake ninja-build g++ pkg-config         # the build
  qt6-base-dev fonts-wine                  # the program's libraries and font
  libhwloc-dev nlohmann-json3-dev          # the machine's facts: topology, JSON
  libcli11-dev                             # command-line options
  libsqlite3-dev                           # the results history
  libarchive-dev                           # the raw facts' bundle (.tar.gz)
  googletest libgtest-dev libgmock-dev     # tests
  python3-jsonschema                       # JSON output checked against its schema
  libbenchmark-dev                         # benchmarks
  clang libclang-rt-dev                    # sanitizers and fuzzing
  xvfb xauth                               # a real X display for looking at windows
  chromium                                 # the HTML report rendered in a headless browser
  locales                                  # the test under a German locale
  desktop-file-utils dpkg-dev file         # the installed layout and the Debian package
  help2man man-db                          # manual pages: made from --help, checked with man
  ansible ansible-lint                     # the fleet playbook: run on this machine, linted
)
# libcpuid reads x86's CPUID instruction; the build links it only on x86.
case $(dpkg --print-architecture 2>/dev/null || uname -m) in
  amd64 | i386 | x86_64 | i?86) QUEL_PACKAGES+=(libcpuid-dev) ;;
esac

# quel_missing_packages [PACKAGE...]: those of the packages (default
# QUEL_PACKAGES) that are not installed, one a line.
quel_missing_packages() {
  local pkg
  [ $# -gt 0 ] || set -- "${QUEL_PACKAGES[@]}"
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$pkg"
    fi
  done
}

# quel_as_root COMMAND...: runs the command as root, through sudo when
# needed; fails when there is no way.
quel_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "Needs root and there is no sudo: $*" >&2
    return 1
  fi
}

quel_install_packages() {
  local missing
  missing=$(quel_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing missing packages:" $missing
  quel_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
  # shellcheck disable=SC2086
  quel_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# What the arm64 cross build needs besides QUEL_PACKAGES: the cross compiler,
# qemu to run its programs, the arm64 libraries (the header-only ones need no
# arm64 copy) and lintian for its package. Google Benchmark is optional.
QUEL_ARM64_PACKAGES=(
  crossbuild-essential-arm64 qemu-user-static lintian
  qt6-base-dev:arm64 libhwloc-dev:arm64 libsqlite3-dev:arm64 libarchive-dev:arm64
  libgtest-dev:arm64 libgmock-dev:arm64 nlohmann-json3-dev libcli11-dev
)
QUEL_ARM64_OPTIONAL=(libbenchmark-dev:arm64)

# quel_install_arm64_packages: adds the arm64 architecture to dpkg when it
# lacks it and installs what is missing of QUEL_ARM64_PACKAGES, and of
# QUEL_ARM64_OPTIONAL what apt can install. Refuses a plan of apt's that
# would remove any installed package.
quel_install_arm64_packages() {
  local missing optional=() pkg
  if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    echo "Adding the arm64 architecture to dpkg"
    quel_as_root dpkg --add-architecture arm64 || return 1
    quel_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
  fi
  missing=$(quel_missing_packages "${QUEL_ARM64_PACKAGES[@]}")
  for pkg in $(quel_missing_packages "${QUEL_ARM64_OPTIONAL[@]}"); do
    if quel_apt_plan_keeps_all "$pkg" >/dev/null 2>&1; then
      optional+=("$pkg")
    fi
  done
  [ -z "$missing" ] && [ ${#optional[@]} -eq 0 ] && return 0
  # A package list of before the architecture was added knows no arm64 package.
  quel_as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
  # shellcheck disable=SC2086
  quel_apt_plan_keeps_all $missing "${optional[@]}" || return 1
  echo "Installing missing packages:" $missing "${optional[@]}"
  # shellcheck disable=SC2086
  quel_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    $missing "${optional[@]}"
}

# quel_apt_plan_keeps_all PACKAGE...: whether apt can install the packages
# without removing any; prints the removals it would make.
quel_apt_plan_keeps_all() {
  local plan removals
  plan=$(LC_ALL=C apt-get -s install --no-install-recommends "$@" 2>&1) || {
    printf '%s\n' "$plan" >&2
    return 1
  }
  removals=$(printf '%s\n' "$plan" | grep '^Remv ' || true)
  if [ -n "$removals" ]; then
    echo "Not installing $*: apt would remove packages:" >&2
    printf '%s\n' "$removals" >&2
    return 1
  fi
}

# quel_build DIR [cmake options...]: configures DIR when it is new or was
# configured with other options, then builds it.
quel_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/quel-options" 2>/dev/null)" != "$*" ]; then
    cmake -S "$QUEL_ROOT" -B "$dir" -G Ninja "$@" || return 1
    printf '%s\n' "$*" >"$dir/quel-options"
  fi
  cmake --build "$dir"
}

# quel_sanitizer_options: how the programs of the sanitizer build check and
# report, for ./test and for running them by hand: every finding ends the
# program with its stack, leaks included, except the library leaks that
# tests/lsan.supp names. strict_string_checks stays off: on an X display
# libxkbcommon hands strndup names without a terminating zero.
quel_sanitizer_options() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
  export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
}

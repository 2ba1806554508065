# Shared set-up of ./run and ./test: installs the Debian/Ubuntu packages the
# build needs (only those missing), then configures and builds the program.
# Sourced, not run.

QUEL_PACKAGES=(
  cmake ninja-build g++ pkg-config         # the build
  qt6-base-dev libcpuid-dev fonts-wine     # the program's libraries and font
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
)

quel_missing_packages() {
  local pkg
  for pkg in "${QUEL_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$pkg"
    fi
  done
}

quel_install_packages() {
  local missing
  missing=$(quel_missing_packages)
  [ -z "$missing" ] && return 0
  echo "Installing missing packages:" $missing
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These packages are missing and there is no sudo to install them:" $missing >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
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

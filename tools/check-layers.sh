#!/usr/bin/env bash
# tools/check-layers.sh [SOURCE_DIR]: checks that every quoted include runs
# in an allowed direction (docs/ARCHITECTURE.md). Headers are included by
# bare name, so each name is resolved to the folder that holds the header.
# Prints each include against the rules as file:line with the rule broken,
# and exits with 1 when there is one.
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2

# The folders each folder may include from, besides its own. tests/X holds
# the tests of X and follows X's rule; it may also use the shared test support.
declare -A may_include=(
  [platform]=""
  [codec]="platform"
  [quelcore]=""
  [artwork]="platform"
  [controls]="platform"
  [sysinfo]="platform quelcore artwork controls"
  [benchmark]="platform codec artwork controls"
  [history]="platform benchmark"
  [app]="platform codec quelcore artwork controls sysinfo benchmark history"
  [tools]="platform codec artwork sysinfo benchmark history"
  [bench]="platform codec quelcore artwork controls sysinfo benchmark"
  [tests/support]="platform sysinfo"
  [tests/packaging]="tests/support platform artwork"
  [tests/layers]="platform codec sysinfo benchmark history"
)

# The windows themselves: only app/ (and bench/, which measures them) may
# include them; tools/ use the cores of sysinfo/ and benchmark/ only.
declare -A window_header=([Form1.h]=1 [Form2.h]=1 [SplashScreen.h]=1 [WindowSequence.h]=1)
declare -A knows_no_window=([tools]=1 [tests/tools]=1)

# The folder a file belongs to: its top folder, in tests/ the one below.
folder_of() {
  local path=${1#./}
  case $path in
    tests/*/*) path=${path#tests/}; echo "tests/${path%%/*}" ;;
    */*) echo "${path%%/*}" ;;
    *) echo "." ;;
  esac
}

# The folders a folder may include from, itself first; fails without a rule.
allowed_for() {
  local folder=$1 tested=${1#tests/}
  if [[ -n ${may_include[$folder]+set} ]]; then
    echo "$folder ${may_include[$folder]}"
  elif [[ $folder == tests/* && -n ${may_include[$tested]+set} ]]; then
    echo "$folder tests/support $tested ${may_include[$tested]}"
  else
    return 1
  fi
}

mapfile -t files < <(find . \( -path './.*' -o -path './build*' -o -path ./out \) -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort)

status=0
declare -A header_folder=()
for file in "${files[@]}"; do
  [[ $file == *.h ]] || continue
  name=${file##*/}
  folder=$(folder_of "$file")
  if [[ -n ${header_folder[$name]+set} && ${header_folder[$name]} != "$folder" ]]; then
    echo "${file#./}: $name is also a header of ${header_folder[$name]}/; a bare include cannot tell them apart"
    status=1
  fi
  header_folder[$name]=$folder
done

declare -A allowed=()
while IFS=: read -r file line text; do
  [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
  name=${BASH_REMATCH[1]##*/}
  [[ -n ${header_folder[$name]+set} ]] || continue
  folder=$(folder_of "$file")
  if [[ -z ${allowed[$folder]+set} ]]; then
    if rules=$(allowed_for "$folder"); then
      allowed[$folder]=" $rules "
    else
      echo "${file#./}:$line: $folder/ has no rule in tools/check-layers.sh"
      allowed[$folder]=unruled # reported once
      status=1
    fi
  fi
  [[ ${allowed[$folder]} != unruled ]] || continue
  target=${header_folder[$name]}
  if [[ -n ${knows_no_window[$folder]+set} && -n ${window_header[$name]+set} ]]; then
    echo "${file#./}:$line: includes the window $name, but $folder/ knows no window"
    status=1
  fi
  if [[ ${allowed[$folder]} != *" $target "* ]]; then
    read -ra names <<<"${allowed[$folder]}"
    printf -v list '%s, ' "${names[@]}"
    echo "${file#./}:$line: includes $name of $target/, but $folder/ may include only from ${list%, }"
    status=1
  fi
done < <(grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "${files[@]}")

if [ $status -eq 0 ]; then
  echo "All includes of ${#files[@]} files run in allowed directions."
fi
exit $status

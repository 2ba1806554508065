#!/usr/bin/env bash
# tools/check-layers.sh [SOURCE_DIR]: checks the direction of the code
# (docs/ARCHITECTURE.md). Every quoted include names the folder of its
# header ("history/ResultsHistory.h", "tests/support/TempDir.h"), and a
# folder includes only from the folders its rule names; the folders under
# core/ and the command-line programs include no Qt header. Prints each
# include against the rules as file:line with the rule broken, and exits
# with 1 when there is one.
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2

# Where the folders that includes name stand in the tree.
declare -A place=()
for parent in core gui programs tools; do
  for dir in "$parent"/*/; do
    [ -d "$dir" ] && place[$(basename "$dir")]=${dir%/}
  done
done

# The folders each folder may include from, besides its own. tests/X holds
# the tests of X and follows X's rule; it may also use the shared test support.
declare -A may_include=(
  [platform]=""
  [codec]="platform"
  [quelcore]=""
  [facts]="platform quelcore"
  [run]="platform codec"
  [preflight]="platform"
  [results]="platform codec run preflight"
  [history]="platform run preflight results facts"
  [report]="platform run preflight results facts history"
  [rawdata]="platform quelcore facts"
  [toolkit]="platform"
  [artwork]="platform"
  [controls]="platform toolkit"
  [infowindow]="platform quelcore facts toolkit artwork controls"
  [benchwindow]="platform codec run toolkit artwork controls"
  [app]="platform codec quelcore facts run results history toolkit artwork controls infowindow benchwindow"
  [quelvorant]="platform facts history toolkit artwork app"
  [commandline]=""
  [he3]="platform codec commandline"
  [quelvorant-cli]="platform codec facts run preflight results history report rawdata commandline"
  [testinput]="platform"
  [icons]="platform toolkit artwork"
  [bench]="platform codec quelcore facts run results toolkit artwork controls infowindow benchwindow"
  [tests/support]="platform facts toolkit"
  [tests/packaging]="tests/support platform toolkit artwork"
  [tests/testinput]="tests/support testinput platform codec"
  [tests/rawdata]="tests/support tests/facts platform quelcore facts rawdata"
  [tests/preflight]="tests/support tests/facts platform preflight"
  [tests/layers]="platform codec quelcore facts run preflight results history report rawdata"
)

# Folders that may use no Qt at all: the core and the command-line programs.
no_qt() {
  case $1 in
    core/* | programs/commandline/* | programs/he3/* | programs/quelvorant-cli/* | tools/testinput/*) return 0 ;;
    tests/*) [[ -n ${place[$(folder_of "$1" | sed 's|^tests/||')]+set} ]] &&
      no_qt "${place[$(folder_of "$1" | sed 's|^tests/||')]}/" ;;
    *) return 1 ;;
  esac
}

# The folder a file belongs to: the one an include names it by; in tests/
# the folder it tests, as tests/X.
folder_of() {
  local path=${1#./} rest
  case $path in
    core/*/* | gui/*/* | programs/*/* | tools/*/*) rest=${path#*/}; echo "${rest%%/*}" ;;
    tests/programs/*/* | tests/tools/*/*) rest=${path#tests/*/}; echo "tests/${rest%%/*}" ;;
    tests/*/*) rest=${path#tests/}; echo "tests/${rest%%/*}" ;;
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

# The file an include names, or nothing when it names none.
header_of() {
  local name=$1 top=${1%%/*} file
  if [[ $name == tests/* ]]; then
    file=$name
  elif [[ $name == */* && -n ${place[$top]+set} ]]; then
    file=${place[$top]}/${name#*/}
    [ -f "$file" ] || file=${place[$top]}/include/$name
  else
    return 1
  fi
  [ -f "$file" ] && echo "$file"
}

mapfile -t files < <(find . \( -path './.*' -o -path './build*' -o -path ./out \) -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)

status=0
declare -A allowed=()
while IFS=: read -r file line text; do
  if [[ $text =~ \#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*)[/\>] ]]; then
    if no_qt "$file"; then
      echo "$file:$line: includes the Qt header ${BASH_REMATCH[1]}, but $(dirname "$file")/ may use no Qt"
      status=1
    fi
    continue
  fi
  [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
  name=${BASH_REMATCH[1]}
  if ! header_of "$name" >/dev/null; then
    echo "$file:$line: includes \"$name\", which names no header as folder/Name.h"
    status=1
    continue
  fi
  target=${name%%/*}
  [[ $name == tests/* ]] && target=$(folder_of "$name")
  folder=$(folder_of "$file")
  if [[ -z ${allowed[$folder]+set} ]]; then
    if rules=$(allowed_for "$folder"); then
      allowed[$folder]=" $rules "
    else
      echo "$file:$line: $folder/ has no rule in tools/check-layers.sh"
      allowed[$folder]=unruled # reported once
      status=1
    fi
  fi
  [[ ${allowed[$folder]} != unruled ]] || continue
  if [[ ${allowed[$folder]} != *" $target "* ]]; then
    read -ra names <<<"${allowed[$folder]}"
    printf -v list '%s, ' "${names[@]}"
    echo "$file:$line: includes $name of $target/, but $folder/ may include only from ${list%, }"
    status=1
  fi
done < <(grep -Hn -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*("|<Q)' "${files[@]}")

if [ $status -eq 0 ]; then
  echo "All includes of ${#files[@]} files run in allowed directions."
fi
exit $status

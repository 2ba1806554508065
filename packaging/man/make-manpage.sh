#!/bin/sh
# make-manpage.sh PROGRAM SUMMARY INCLUDE PAGE
# Makes PAGE, the gzip'd section-1 manual page of PROGRAM, with help2man
# from the program's --help and --version. SUMMARY is the text of the NAME
# line, INCLUDE a help2man include file with the sections the help lacks.
# Every subcommand the help lists under "Subcommands:" adds its own --help
# to a COMMANDS section, and so do the subcommands its help lists in turn,
# so a new subcommand needs no change here.
# SOURCE_DATE_EPOCH, when set, is the page's date.
set -eu
program=$1
summary=$2
include=$3
page=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LC_ALL=C

# The subcommands a help file lists.
subcommands() {
  sed -n '/^Subcommands:$/,/^$/s/^  \([^ ][^ ]*\).*/\1/p' "$1"
}

# Writes the roff of each subcommand of the command "$@" (the program and
# the subcommands above), whose help is in "$work/help-$#", and of theirs.
commands_roff() {
  for subcommand in $(subcommands "$work/help-$#"); do
    "$@" "$subcommand" --help >"$work/help-$(($# + 1))"
    awk -f "$here/subcommand-roff.awk" "$work/help-1" "$work/help-$(($# + 1))"
    commands_roff "$@" "$subcommand"
  done
}

"$program" --help >"$work/help-1"
set -- --include="$include"
if [ -n "$(subcommands "$work/help-1")" ]; then
  {
    echo "[COMMANDS]"
    commands_roff "$program"
  } >"$work/commands.h2m"
  # Before the page's own include, so COMMANDS comes before its sections.
  set -- --include="$work/commands.h2m" "$@"
fi
help2man --no-info --section=1 --name="$summary" "$@" --output="$work/page.1" "$program"
gzip -9n <"$work/page.1" >"$work/page.1.gz"
mv "$work/page.1.gz" "$page"

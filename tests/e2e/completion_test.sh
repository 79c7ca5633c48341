#!/usr/bin/env bash
# The bash completion against the real program's usage text: after a switch that takes a folder,
# an absolute path is completed as a folder, not as a switch; elsewhere "/pre" is a switch.
# usage: completion_test.sh COMPLETION_FILE ZENDRIFT
set -u
completion=$1
program_dir=$(cd "$(dirname "$2")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Games Folder"

PATH=$program_dir:$PATH
source "$completion"
failures=0
expect() {
  local want=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  COMPREPLY=()
  _zendrift
  if [ "${COMPREPLY[*]}" != "$want" ]; then
    echo "FAIL: '$*' completed to '${COMPREPLY[*]}', expected '$want'" >&2
    failures=$((failures + 1))
  fi
}
expect "$work/Games Folder" zendrift /prefix "$work/Gam"
expect "$work/Games Folder" zendrift -USERDIR "$work/Gam"
expect "/prefix /prefixes" zendrift /list /pre
expect "-prefix -prefixes" zendrift -pre
[ "$failures" -eq 0 ]

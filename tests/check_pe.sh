#!/bin/sh
# Checks a Windows binary without running it: its machine, what kind of image
# it is, and that it imports nothing beyond KERNEL32.dll and msvcrt.dll.
# usage: check_pe.sh OBJDUMP FILE MACHINE console|dll
set -eu
objdump=$1 file=$2 machine=$3 kind=$4
headers=$("$objdump" -p "$file")
fail() { echo "$file: $*" >&2; exit 1; }

echo "$headers" | grep -q "file format pei-$machine\$" || fail "not a pei-$machine image"
case $kind in
  console) echo "$headers" | grep -Eq '^Subsystem[[:space:]]+0+3[[:space:]]' || fail "not a console program" ;;
  dll) echo "$headers" | grep -Eq '^[[:space:]]+DLL$' || fail "not a DLL" ;;
esac
imports=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u | tr '\n' ' ')
[ "$imports" = "KERNEL32.dll msvcrt.dll " ] || fail "imports $imports"
echo "$file: pei-$machine $kind, imports $imports"

#!/usr/bin/env bash
# Runs the installer scenario in a new Wine prefix and ends that prefix's Wine afterwards.
# installer_test.sh WINE WINESERVER TEST-EXE PREFIX
set -u
wine=$1 wineserver=$2 test_exe=$3
export WINEPREFIX=$4 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINELOADER=$wine

timeout 60 "$wineserver" -k >/dev/null 2>&1
rm -rf "$WINEPREFIX"
# Making the prefix is slow on a busy machine; bounded like every other wait here.
timeout 600 "$wine" wineboot -i >/dev/null 2>&1
timeout 600 "$wine" "$test_exe"
rc=$?
[ $rc = 124 ] && echo "installer_test: timed out" >&2
timeout 60 "$wineserver" -k >/dev/null 2>&1
exit $rc

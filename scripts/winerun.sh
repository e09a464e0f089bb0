#!/usr/bin/env bash
# Runs one Windows program in the test bed and returns its exit code (CTest's emulator).
exec "$(dirname "$0")/winebed.sh" run "$@"

#!/bin/sh
# Runs the leak canary under LeakSanitizer with the suite's suppression file: the run must
# fail and name the canary's own function.
#   check_leak_canary.sh CANARY SUPPRESSIONS
out=$(LSAN_OPTIONS="suppressions=$2" ASAN_OPTIONS="detect_leaks=1" "$1" 2>&1)
status=$?
printf '%s\n' "$out"
if [ "$status" -eq 0 ]; then
  echo "FAIL: the canary's leak was not reported" >&2
  exit 1
fi
case "$out" in
  *"detected memory leaks"*LeakForTheCanary*) echo "leak reported as it must be" ;;
  *) echo "FAIL: no leak report naming LeakForTheCanary" >&2; exit 1 ;;
esac

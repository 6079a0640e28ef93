#!/bin/sh
# run_if_present.sh TOOL [ARGS...]: runs TOOL, or exits 77, which CTest reports
# as skipped, when this machine does not have it.
command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }
exec "$@"

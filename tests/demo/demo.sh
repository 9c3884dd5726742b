#!/usr/bin/env bash
# The demo installation: the generator writes every example item through its
# editor, and the checker finds nothing to say about any of them.
#   demo.sh KV_DEMODATA KORVALISEDIT
set -uo pipefail
generator="$1"
editor="$2"
data="$(mktemp -d "${TMPDIR:-/tmp}/kv-demo.XXXXXX")"
trap 'rm -rf "$data"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$generator" "$data" || fail "the generator failed"
report="$(env -u DISPLAY QT_QPA_PLATFORM= "$editor" --check "$data" 2>/dev/null)"
status=$?
[ "$status" -eq 0 ] || fail "--check exited with $status: $report"
summary="$(echo "$report" | tail -n 1)"
[ "$report" = "$summary" ] || fail "findings on the demo: $report"
echo "$summary" | grep -qE '^[0-9]+ files? checked: 0 errors, 0 warnings$' || fail "summary: $summary"
# Running it again over an existing demo gives the same clean folder.
"$generator" "$data" || fail "the generator failed on an existing demo"
echo "ok: $summary"

#!/usr/bin/env bash
# The demo installation: the generator writes every example item through its
# editor, and the checker finds nothing to say about any of them.
#   demo.sh KV_DEMODATA KORVALISEDIT [EMULATOR]   (EMULATOR: wine for .exe)
set -uo pipefail
generator="$1"
editor="$2"
run="${3:-}"
data="$(mktemp -d "${TMPDIR:-/tmp}/kv-demo.XXXXXX")"
trap 'rm -rf "$data"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

$run "$generator" "$data" || fail "the generator failed"
report="$(env -u DISPLAY QT_QPA_PLATFORM= $run "$editor" --check "$data" 2>/dev/null | tr -d '\r')"
status=$?
[ "$status" -eq 0 ] || fail "--check exited with $status: $report"
summary="$(echo "$report" | tail -n 1)"
[ "$report" = "$summary" ] || fail "findings on the demo: $report"
echo "$summary" | grep -qE '^[0-9]+ files? checked: 0 errors, 0 warnings$' || fail "summary: $summary"
# Running it again over an existing demo gives the same clean folder.
$run "$generator" "$data" || fail "the generator failed on an existing demo"
echo "ok: $summary"

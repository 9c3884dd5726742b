#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks what a desktop
# reads of it: the .desktop entry (desktop-file-validate, no hints either)
# and the MIME package (well-formed XML, and once compiled by
# update-mime-database every item extension maps to its type in any case).
#   desktop.sh BUILD_DIR
set -uo pipefail
build="$1"
for tool in xmllint desktop-file-validate update-mime-database; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
prefix="$(mktemp -d "${TMPDIR:-/tmp}/kv-install.XXXXXX")"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
desktop="$prefix/share/applications/io.github.korvalisedit.KorvalisEdit.desktop"
mime="$prefix/share/mime/packages/korvalisedit.xml"
[ -x "$prefix/bin/korvalisedit" ] || fail "no bin/korvalisedit"

report="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
grep -qx 'Exec=korvalisedit %F' "$desktop" || fail "Exec does not take files"

xmllint --noout "$mime" || fail "MIME package is not well-formed XML"
update-mime-database "$prefix/share/mime" || fail "update-mime-database"
declare -A types=([kva]=hook [kve]=bait [kvg]=float [kvl]=venue [kvt]=groundbait
                  [kvs]=fish-presence [kvp]=sinker [kvn]=rod [kvm]=reel)
for ext in "${!types[@]}"; do
    type="application/x-korvalis-${types[$ext]}"
    # globs2 lines: weight:type:pattern[:flags]; "cs" would mean case-sensitive.
    grep -qx "[0-9]*:$type:\*\.$ext" "$prefix/share/mime/globs2" \
        || fail "*.$ext is no glob of $type"
    ! grep -q "^[0-9]*:$type:.*:cs$" "$prefix/share/mime/globs2" \
        || fail "*.$ext is matched case-sensitively"
    grep -q "MimeType=.*$type;" "$desktop" || fail "$type missing from MimeType="
    grep -q "<comment xml:lang=\"it\">" "$prefix/share/mime/${type}.xml" \
        || fail "$type has no Italian comment"
done
echo "ok: desktop entry and the nine MIME types"

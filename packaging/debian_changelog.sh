#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the Debian changelog entry of VERSION to stdout: the items of its entry in
# CHANGELOG.md, wrapped to 80 columns, signed by MAINTAINER on DATE (RFC 2822).
# Usage: debian_changelog.sh VERSION MAINTAINER DATE CHANGELOG.md
set -eu
version=$1
maintainer=$2
date=$3
changes=$4

printf 'zorvat (%s) unstable; urgency=medium\n\n' "$version"
awk -v version="$version" '
function flush(words, count, i, line) {
    if (item == "")
        return
    gsub(/`/, "", item)
    count = split(item, words, " ")
    line = "  *"
    for (i = 1; i <= count; i++) {
        if (length(line) + 1 + length(words[i]) > 80) {
            print line
            line = "   "
        }
        line = line " " words[i]
    }
    print line
    item = ""
}
/^## / { flush(); inside = index($0, "## " version " (") == 1; next }
!inside { next }
/^- / { flush(); item = substr($0, 3); next }
/^  +[^ ]/ { sub(/^ +/, ""); item = item " " $0; next }
END { flush() }
' "$changes"
printf '\n -- %s  %s\n' "$maintainer" "$date"

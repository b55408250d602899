#!/usr/bin/env bash
# Prints the author's guide for the release archive: the parts of README.md between the marks
# <!-- author's guide --> and <!-- end of author's guide -->, as plain text with Windows line
# ends, so that Notepad shows it. Made from the README at every release, so the two never drift.
#   scripts/author-guide.sh README.md VERSION > Guide.txt
# Tables become one block per row (a row's first cell, then "Column: cell" lines), code blocks
# are indented, pictures are left out and the Markdown marks for code and bold dropped.
set -euo pipefail
readme=$1 version=$2

if ! grep -q "^<!-- author's guide -->$" "$readme"; then
    echo "$readme holds no <!-- author's guide --> mark: nothing to make the guide from." >&2
    exit 1
fi

awk -v version="$version" '
function out(line) {
    if (line == "" && blank) return             # one blank line where dropped marks leave more
    blank = (line == "")
    printf "%s\r\n", line
}
function plain(text,   code, link) {
    gsub(/\*\*/, "", text)
    while (match(text, /`[^`]*`/)) {             # code loses its marks, unless blanks count
        code = substr(text, RSTART + 1, RLENGTH - 2)
        if (code ~ /^ | $/) code = "\"" code "\""
        text = substr(text, 1, RSTART - 1) code substr(text, RSTART + RLENGTH)
    }
    while (match(text, /\[[^]]*\]\([^)]*\)/)) {   # [words](address) keeps the words
        link = substr(text, RSTART, RLENGTH)
        sub(/\]\(.*/, "", link)
        text = substr(text, 1, RSTART - 1) substr(link, 2) substr(text, RSTART + RLENGTH)
    }
    return text
}
function underline(text, mark,   rule) {
    rule = text
    gsub(/./, mark, rule)
    out(text); out(rule)
}
# Prints TEXT after PREFIX, wrapped at 96 columns, continuation lines indented like the text.
function wrapped(prefix, text,   indent, line, n, words, i) {
    indent = prefix
    gsub(/./, " ", indent)
    n = split(text, words, " ")
    line = prefix words[1]
    for (i = 2; i <= n; i++) {
        if (length(line) + 1 + length(words[i]) > 96) {
            out(line); line = indent words[i]
        } else {
            line = line " " words[i]
        }
    }
    out(line)
}
function cells(row, into,   n, i) {
    sub(/^\|/, "", row); sub(/\|[ \t]*$/, "", row)
    n = split(row, into, "|")
    for (i = 1; i <= n; i++) { gsub(/^ +| +$/, "", into[i]); into[i] = plain(into[i]) }
    return n
}
BEGIN { inside = 0; first = 1; printf "\357\273\277" }  # UTF-8 mark: Notepad reads the letters right
/^<!-- author.s guide -->$/ { inside = 1; next }
/^<!-- end of author.s guide -->$/ { inside = 0; next }
!inside { next }
first {
    underline("Velvane " version ": the author\047s guide", "=")
    out("")
    first = 0
}
fence { if (/^```/) { fence = 0 } else { out("    " $0) } ; next }
/^```/ { fence = 1; next }
comment { if (/-->/) comment = 0; next }
/^<!--/ { if (!/-->/) comment = 1; next }
/^!\[/ { next }                                   # pictures: see them in the README online
/^# / { next }                                    # the README title: the guide has its own
/^## / { underline(plain(substr($0, 4)), "-"); next }
/^### / { underline(plain(substr($0, 5)), "~"); next }
/^\|/ {
    if (!table) { columns = cells($0, header); table = 1; next }
    if ($0 ~ /^\|[-| :]+\|$/) next
    n = cells($0, row)
    wrapped("* ", row[1])
    if (n == 2) { wrapped("    ", row[2]); next }  # a two-column list needs no labels
    for (i = 2; i <= n; i++) wrapped("    " header[i] ": ", row[i])
    next
}
{ table = 0; out(plain($0)) }
' "$readme"

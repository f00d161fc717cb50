#!/usr/bin/env bash
# The letter's archive PDF as a user gets it from zettelino-print, read by
# the outside tools: every letter of the suite's data, a mail merge and a
# letter of 250 pages pass pdfa_check.py; pdfinfo says tagged and with a
# metadata stream; the structure shows the subject as a heading, the
# message's paragraphs in order and no page line; qpdf finds nothing;
# pdftotext reads what it reads in the plain PDF. A letter whose fonts may
# not be embedded is written without the claim and with a warning.
#   check_archive.sh ZETTELINO_PRINT LETTER_DATA
set -euo pipefail
zp=$1
data=$2
here=$(cd "$(dirname "$0")" && pwd)
check="python3 $here/pdfa_check.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache
fail() { echo "FAIL: $*" >&2; exit 1; }

# The same file read by each tool the way a user would.
tools_agree() { # archive.pdf plain.pdf
  $check "$1" >"$work/check.txt" || { cat "$work/check.txt"; fail "pdfa_check: $1"; }
  pdfinfo "$1" >"$work/info.txt"
  grep -q '^Tagged: *yes$' "$work/info.txt" || fail "$1 is not tagged"
  grep -q '^Metadata Stream: *yes$' "$work/info.txt" || fail "$1 has no metadata stream"
  qpdf --check "$1" >"$work/qpdf.txt" 2>&1 || { cat "$work/qpdf.txt"; fail "qpdf --check $1"; }
  grep -qi 'warning' "$work/qpdf.txt" && { cat "$work/qpdf.txt"; fail "qpdf warns on $1"; }
  pdftotext -enc UTF-8 "$1" "$work/a.txt"
  pdftotext -enc UTF-8 "$2" "$work/p.txt"
  cmp -s "$work/a.txt" "$work/p.txt" || { diff "$work/a.txt" "$work/p.txt" | head; fail "pdftotext differs: $1"; }
  pdfinfo -struct-text "$1" >"$work/struct.txt"
  grep -q 'Seite [0-9]* von' "$work/struct.txt" && fail "the page line is in the structure of $1"
  return 0
}

letters=0
for letter in "$data"/*.ZLW; do
  status=0
  "$zp" "$letter" --pdf "$work/a.pdf" --pdf-plain "$work/p.pdf" 2>"$work/err.txt" || status=$?
  # Letters the window refuses to open (damaged on purpose) write nothing.
  [ "$status" = 3 ] && continue
  [ "$status" = 0 ] || { cat "$work/err.txt"; fail "zettelino-print $letter: $status"; }
  [ -s "$work/err.txt" ] && { cat "$work/err.txt"; fail "zettelino-print warned for $letter"; }
  tools_agree "$work/a.pdf" "$work/p.pdf"
  letters=$((letters + 1))
done
[ "$letters" -ge 5 ] || fail "only $letters letters written"

# A letter of the suite: its subject a heading, its paragraphs in order.
"$zp" "$data/letter18.ZLW" --pdf "$work/a.pdf"
pdfinfo -struct-text "$work/a.pdf" >"$work/struct.txt"
grep -A1 '^  H1' "$work/struct.txt" | grep -q '"Ihre Anfrage vom 3. März "' || fail "no heading: $(cat "$work/struct.txt")"
grep -q '"anbei die Unterlagen. Grüße = bis bald "' "$work/struct.txt" || fail "message: $(cat "$work/struct.txt")"
# Read as a letter is read: the subject, the message, what is asked (the box
# beside the sender on the page), then the enclosures.
order=$(grep -noE '"(Ihre Anfrage vom 3. März |anbei die Unterlagen|Mit der Bitte um: |Anlagen: )' "$work/struct.txt" |
  cut -d'"' -f2 | tr '\n' '|')
[ "$order" = "Ihre Anfrage vom 3. März |anbei die Unterlagen|Mit der Bitte um: |Anlagen: |" ] ||
  fail "reading order: $order"

# Paragraphs split at empty lines, the two subject lines one heading, and
# 250 pages of them.
python3 - "$work/long.ZLW" <<'EOF'
import sys
message = []
for n in range(1, 6001):
    message += ["Absatz %d, erste Zeile" % n, "und die zweite", ""]
lines = ["ZLVersion=1.8", "AbsLines=1", "AnsLines=1", "MitLines=%d" % len(message), "Erika Muster", "Amt",
         *message] + ["cb%d=%d" % (i, i % 2) for i in range(1, 16)] + \
        ["edTitel=Betreff Zeile eins", "edTitel2=und Zeile zwei", "edSonst1=", "edSonst2=", "edDatum=Bonn, 1.2.2026"]
open(sys.argv[1], "w", encoding="cp1252", newline="\r\n").write("\n".join(lines) + "\n")
EOF
"$zp" "$work/long.ZLW" --pdf "$work/a.pdf" --pdf-plain "$work/p.pdf"
pages=$(pdfinfo "$work/a.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" -ge 250 ] || fail "the long letter has $pages pages"
tools_agree "$work/a.pdf" "$work/p.pdf"
grep -A1 '^  H1' "$work/struct.txt" | grep -q '"Betreff Zeile eins und Zeile zwei "' || fail "two-line heading"
# One element a paragraph; one broken by a page shows its two pieces in it.
paragraphs=$(grep -cE '^    "Absatz [0-9]+, erste Zeile (und die zweite )?"$' "$work/struct.txt" || true)
[ "$paragraphs" = 6000 ] || fail "$paragraphs of 6000 paragraphs in the structure"
broken=$(grep -A1 -E '^    "Absatz [0-9]+, erste Zeile "$' "$work/struct.txt" | grep -c '^    "und die zweite "$' || true)
[ "$broken" = "$(grep -cE '^    "Absatz [0-9]+, erste Zeile "$' "$work/struct.txt")" ] || fail "a broken paragraph split"
# the message's paragraphs, sender, address, date and the two lists' lead-ins
grep -c '^  P (block)' "$work/struct.txt" | grep -qx 6005 || fail "not one element a paragraph"
grep '"Absatz [0-9]*,' "$work/struct.txt" | sed 's/.*Absatz \([0-9]*\),.*/\1/' | sort -n -c || fail "paragraphs out of order"

# A mail merge: every letter a part of its own.
printf 'Name;Vorname;Ort\nMuster;Erika;Bonn\nBeispiel;Max;Köln\nTest;Tina;Ulm\n' >"$work/liste.csv"
"$zp" "$data/letter18.ZLW" --merge "$work/liste.csv" --pdf "$work/m.pdf" --pdf-plain "$work/mp.pdf"
tools_agree "$work/m.pdf" "$work/mp.pdf"
parts=$(grep -c '^  Part' "$work/struct.txt" || true)
[ "$parts" = 3 ] || fail "$parts parts for 3 letters"

# Fonts whose licence forbids embedding: a plain PDF, no false claim, a warning.
mkdir -p "$work/fonts"
python3 - "$work/fonts" <<'EOF'
import struct, subprocess, sys
for family in ("Liberation Mono", "Liberation Sans"):
    for style in ("Regular", "Bold"):
        path = subprocess.run(["fc-match", "-f", "%{file}", "%s:style=%s" % (family, style)],
                              capture_output=True, text=True).stdout
        data = bytearray(open(path, "rb").read())
        for i in range(struct.unpack(">H", data[4:6])[0]):
            tag, _, offset, _ = struct.unpack(">4sIII", data[12 + 16 * i:28 + 16 * i])
            if tag == b"OS/2":
                data[offset + 8:offset + 10] = b"\x00\x02"  # restricted licence
        open("%s/%s-%s.ttf" % (sys.argv[1], family.replace(" ", ""), style), "wb").write(data)
EOF
cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<fontconfig><dir>$work/fonts</dir><cachedir>$work/fccache</cachedir>
<alias><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
<alias><family>Courier New</family><prefer><family>Liberation Mono</family></prefer></alias>
</fontconfig>
EOF
status=0
FONTCONFIG_FILE=$work/fonts.conf "$zp" "$data/letter18.ZLW" --pdf "$work/r.pdf" 2>"$work/err.txt" || status=$?
[ "$status" = 0 ] || { cat "$work/err.txt"; fail "restricted fonts: exit $status"; }
grep -q '^zettelino-print: Warnung: Das PDF ist kein Archiv-PDF (PDF/A-2u, PDF/UA-1): .*darf nicht eingebettet werden' \
  "$work/err.txt" || fail "no warning: $(cat "$work/err.txt")"
$check --no-claim "$work/r.pdf" >/dev/null 2>&1 && fail "a document without embedded fonts passes the check"
$check --no-claim "$work/r.pdf" | grep -v ': fonts: ' | grep -v ': ok$' && fail "more than the fonts fail without the claim"
echo "ok: $letters letters, $pages pages, $parts parts, fonts that may not be embedded"

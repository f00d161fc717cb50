#!/usr/bin/env bash
# A real print: saved report files played by the batch tool through the
# spooler to its PDF printer ("PDF", cups-pdf), whose output must hold the
# pages' text on A4 paper. Exit 77 (skipped) when the printer is not set up;
# scripts/test --external sets it up.
set -u
tool=$1 sample=$2 fixture=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for t in lpstat pdftotext pdfinfo; do
  command -v "$t" >/dev/null || { echo "skipped: missing $t (scripts/test --external installs it)"; exit 77; }
done
lpstat -p PDF >/dev/null 2>&1 || { echo "skipped: no printer \"PDF\" (scripts/test --external sets it up)"; exit 77; }
export QT_QPA_PLATFORM=offscreen

# cups-pdf writes into the submitting user's home.
outdir="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"

printers=$("$tool" --printers) || { echo "--printers failed"; exit 1; }
grep -qE '^(\*| ) PDF$' <<<"$printers" || { echo "--printers does not list PDF:"; echo "$printers"; exit 1; }
if lpstat -d 2>/dev/null | grep -q ': PDF$'; then
  grep -qx '\* PDF' <<<"$printers" || { echo "the default printer PDF is not marked:"; echo "$printers"; exit 1; }
fi

# Prints $1 and waits for the spooler's PDF of it; its path goes to stdout.
print_and_wait() {
  local report=$1 before after
  before=$(ls "$outdir" 2>/dev/null | sort)
  "$tool" "$report" --print PDF >&2 || { echo "printing $report failed" >&2; return 1; }
  # The spooler works on its own time; a minute is plenty for one page.
  for _ in $(seq 1 120); do
    after=$(comm -13 <(echo "$before") <(ls "$outdir" 2>/dev/null | sort) | grep '\.pdf$' | head -n1)
    if [ -n "$after" ] && [ -z "$(lpstat -o PDF 2>/dev/null)" ]; then
      echo "$outdir/$after"
      return 0
    fi
    sleep 0.5
  done
  echo "no PDF from the spooler for $report" >&2
  return 1
}

# pdftotext may split words where glyphs were placed one by one, so the
# texts are compared without blanks.
expect() { # pdf, then the texts it must hold
  local pdf=$1; shift
  local text info
  text=$(pdftotext "$pdf" - 2>/dev/null | tr -d ' \n')
  for t in "$@"; do
    grep -qF -- "${t// /}" <<<"$text" || { echo "$pdf lacks \"$t\":"; pdftotext "$pdf" - 2>/dev/null; return 1; }
  done
  info=$(pdfinfo "$pdf" 2>/dev/null)
  grep -q '^Page size:.*(A4)' <<<"$info" || { echo "$pdf is not A4:"; echo "$info"; return 1; }
}

"$sample" "$work/recorded.QRP" || exit 1
pdf=$(print_and_wait "$work/recorded.QRP") || exit 1
expect "$pdf" "Kurzmitteilung" "Seite 1 von 1" || exit 1
rm -f "$pdf"

cp "$fixture" "$work/independent.QRP"
pdf=$(print_and_wait "$work/independent.QRP") || exit 1
expect "$pdf" "Seite 1 von 1" "Grüße aus Köln – Kurzmitteilung" || exit 1
rm -f "$pdf"
# A letter as "Drucken" prints it: two pages with their page lines.
{
  printf 'ZLVersion=1.8\r\nAbsLines=1\r\nAnsLines=1\r\nMitLines=60\r\nErika Mustermann\r\nFirma Beispiel\r\n'
  for i in $(seq 1 60); do printf 'Zeile %d\r\n' "$i"; done
  for i in $(seq 1 15); do printf 'cb%d=%d\r\n' "$i" $((i == 1)); done
  printf 'edTitel=Lieferung\r\nedTitel2=\r\nedSonst1=\r\nedSonst2=\r\nedDatum=Bonn, 09.12.2026\r\n'
} >"$work/brief.ZLW"
pdf=$(print_and_wait "$work/brief.ZLW") || exit 1
expect "$pdf" "Erika Mustermann" "[X] Kenntnisnahme" "Zeile 1" "Zeile 60" "Seite 1 von 2" "Seite 2 von 2" || exit 1
# The job's title reads the same in the queue, the file name and the PDF.
case "$(basename "$pdf")" in
  Zettelino_fuer_Windows*) ;;
  *) echo "the PDF printer named the job's file $(basename "$pdf"), not after \"Zettelino fuer Windows\""; exit 1 ;;
esac
title=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Title: *//p')
grep -q 'Zettelino fuer Windows' <<<"$title" || { echo "the printed PDF's title reads \"$title\""; exit 1; }
rm -f "$pdf"
echo "the spooler's PDF printer holds the pages' text on A4"

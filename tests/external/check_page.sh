#!/usr/bin/env bash
# Outside readers of our pages: the EMF library's record safety check, and
# two independent renderers whose PDF output must carry the page's text.
# Exit 77 (skipped) when a tool is missing.
set -u
sample=$1 uemf=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
missing=()
command -v soffice >/dev/null || missing+=(soffice)
command -v inkscape >/dev/null || missing+=(inkscape)
command -v pdftotext >/dev/null || missing+=(pdftotext)
[ -n "$uemf" ] && [ -x "$uemf" ] || missing+=(libuemf)
if [ ${#missing[@]} -gt 0 ]; then
  echo "skipped: missing ${missing[*]} (scripts/test --external installs them)"
  exit 77
fi

"$sample" "$work/page.emf" || exit 1
"$uemf" "$work/page.emf" || { echo "libuemf rejects the page"; exit 1; }

expect_text() { # pdf, then the texts it must contain
  local pdf=$1; shift
  local text
  text=$(pdftotext "$pdf" - 2>/dev/null) || { echo "no PDF from $pdf"; return 1; }
  for t in "$@"; do
    grep -qF -- "$t" <<<"$text" || { echo "$pdf lacks \"$t\""; echo "$text"; return 1; }
  done
}

export HOME="$work/home"
mkdir -p "$HOME"
soffice --headless --convert-to pdf --outdir "$work/lo" "$work/page.emf" >/dev/null 2>&1
expect_text "$work/lo/page.pdf" "Kurzmitteilung" "Sehr geehrte Damen und Herren," \
  "mit der Bitte um Kenntnisnahme." "Seite 1 von 1" || exit 1
# Inkscape takes each glyph where the spacing array puts it and may split lines
# into pieces, so only single words are looked for.
inkscape "$work/page.emf" --export-type=pdf --export-filename="$work/ink.pdf" >/dev/null 2>&1
expect_text "$work/ink.pdf" "Kurzmitteilung" "Kenntnisnahme." "Seite 1 von 1" || exit 1
echo "libuemf, LibreOffice and Inkscape read the page"

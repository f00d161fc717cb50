# Letters the checks under Xvfb open; sourced by their outer scripts.

# One sender and one address line, a message of sixty numbered lines (two
# pages), no tick marks, the subject "Lieferung" and the date "Bonn".
sixty_line_letter() {
  printf 'ZLVersion=1.8\r\nAbsLines=1\r\nAnsLines=1\r\nMitLines=60\r\nErika Mustermann\r\nFirma Beispiel\r\n'
  for i in $(seq 1 60); do printf 'Zeile %d\r\n' "$i"; done
  for i in $(seq 1 15); do printf 'cb%d=0\r\n' "$i"; done
  printf 'edTitel=Lieferung\r\nedTitel2=\r\nedSonst1=\r\nedSonst2=\r\nedDatum=Bonn\r\n'
}

# A print spooler of the check's own, sourced by session scripts: a cupsd
# with its folders under $1, listening on its own socket (CUPS_SERVER names
# it), so whether a printer exists never depends on the machine's spooler.
#   start_private_spooler DIR   starts it with one printer, "Testdrucker",
#                               which prints into /dev/null
# Its process is in $spooler. Returns 77 when the machine has no cupsd.
start_private_spooler() {
  local dir=$1
  [ -x /usr/sbin/cupsd ] && command -v lpadmin >/dev/null || return 77
  mkdir -p "$dir/spool" "$dir/cache" "$dir/state" "$dir/log"
  cat > "$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
WebInterface No
LogLevel warn
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
  cat > "$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
CONF
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.err" 2>&1 & spooler=$!
  local _
  for _ in $(seq 100); do
    CUPS_SERVER=$dir/cups.sock lpstat -r 2>/dev/null | grep -q "is running" && break
    kill -0 "$spooler" 2>/dev/null || { echo "the private spooler ended: $(cat "$dir/log/"*)" >&2; return 1; }
    sleep 0.1
  done
  # A generic PostScript printer, so the print dialog has papers to offer.
  CUPS_SERVER=$dir/cups.sock lpadmin -p Testdrucker -E -v file:///dev/null \
    -m drv:///sample.drv/generic.ppd 2>/dev/null ||
    CUPS_SERVER=$dir/cups.sock lpadmin -p Testdrucker -E -v file:///dev/null -m raw 2>/dev/null || {
    echo "the private spooler took no printer: $(cat "$dir/log/"*)" >&2
    return 1
  }
  CUPS_SERVER=$dir/cups.sock lpadmin -d Testdrucker 2>/dev/null || true
}

# Shared by the install and package checks: the desktop files below a
# prefix, checked with the desktop's own tools.
#   check_desktop_files PREFIX_SHARE_DIR WORK_DIR

fail() { echo "FAIL: $*" >&2; exit 1; }

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$tool is missing"; exit 77; }
  done
}

# The PNG's width and height from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'
}

check_desktop_files() {
  local share=$1 work=$2
  # The generic lookups, the same whatever desktop runs the suite.
  unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
  export XDG_CONFIG_DIRS=$work/config
  desktop-file-validate "$share/applications/zettelino.desktop" || fail "desktop-file-validate"
  grep -qx 'Exec=zettelino %f' "$share/applications/zettelino.desktop" || fail "Exec line"
  appstreamcli validate --no-net "$share/metainfo/org.example.zettelino.metainfo.xml" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "appstreamcli validate"; }

  # Every icon in the size its folder names.
  local icon size
  for icon in apps/zettelino mimetypes/application-x-zettelino-letter mimetypes/application-x-zettelino-report; do
    [ -f "$share/icons/hicolor/scalable/$icon.svg" ] || fail "no scalable $icon"
    for size in 16 22 24 32 48 64 128 256; do
      [ -f "$share/icons/hicolor/${size}x$size/$icon.png" ] || fail "no ${size}px $icon"
      [ "$(png_size "$share/icons/hicolor/${size}x$size/$icon.png")" = "${size}x$size" ] || fail "${size}px $icon has another size"
    done
  done

  # The file types as the desktop sees them, from this prefix alone.
  update-mime-database "$share/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log"; fail "update-mime-database"; }
  update-desktop-database "$share/applications" || fail "update-desktop-database"
  mkdir -p "$work/files"
  printf 'ZLVersion=1.8\r\nAbsLines=0\r\n' >"$work/files/brief.ZLW"
  printf 'ZLVersion=1.8\r\n' >"$work/files/klein.zlw"
  printf 'ZLVersion=1.8\r\n' >"$work/files/ohne-endung"
  printf '\357\273\277ZLVersion=1.8\r\n' >"$work/files/mit-bom"
  printf 'QRP' >"$work/files/bericht.QRP"
  printf 'QRP' >"$work/files/bericht.qrp"
  printf 'ZLVersionen sind das nicht\r\n' >"$work/files/fremd"
  local f want got
  for f in brief.ZLW:letter klein.zlw:letter ohne-endung:letter mit-bom:letter bericht.QRP:report bericht.qrp:report; do
    want=application/x-zettelino-${f#*:}
    got=$(XDG_DATA_HOME=$share XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$work/files/${f%%:*}")
    [ "$got" = "$want" ] || fail "${f%%:*} is $got, not $want"
  done
  got=$(XDG_DATA_HOME=$share XDG_DATA_DIRS=/usr/share xdg-mime query filetype "$work/files/fremd")
  [[ "$got" != application/x-zettelino-* ]] || fail "a file without the letter's first line is $got"
  for want in letter report; do
    got=$(XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$share XDG_DATA_DIRS=/usr/share \
          xdg-mime query default application/x-zettelino-$want)
    [ "$got" = zettelino.desktop ] || fail "the default for the $want type is '$got'"
  done
}

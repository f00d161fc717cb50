# Shared by scripts/run, scripts/test, scripts/fuzz and scripts/package: the Debian packages the
# project needs, installed when missing, and the build helpers.

ZT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

ZT_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libfreetype-dev libfontconfig-dev libharfbuzz-dev liblcms2-dev fonts-liberation locales
  fonts-dejavu-core fonts-wqy-microhei fonts-urw-base35
  libhunspell-dev hunspell-de-de libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils x11-apps xdotool python3-xlib openbox qpdf poppler-utils
  at-spi2-core python3-pyatspi python3-gi dbus-daemon dbus-x11 weston qt6-wayland cups-daemon cups-client
  librsvg2-bin desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl man-db
)
# scripts/package and the package checks: CPack's dependency lookup and lintian.
ZT_PACKAGE_PACKAGES=(dpkg-dev file git lintian)
ZT_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# Independent readers for scripts/test --external; large, so not installed by default.
ZT_EXTERNAL_PACKAGES=(libreoffice-draw libreoffice-core inkscape libuemf-dev cups printer-driver-cups-pdf)

zt_missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

zt_ensure_packages() {
  local missing
  missing=$(zt_missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "Installing missing packages:" $missing
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Need root (or sudo) to install:" $missing >&2; return 1; }
    sudo=sudo
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

# The spooler with its PDF printer "PDF" (cups-pdf) for the real print check:
# starts cupsd when it is not running, adds the printer when it is missing
# and makes it the default when there is none.
zt_start_cups_pdf() {
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    $sudo /usr/sbin/cupsd || return 1
    local i
    for i in $(seq 1 40); do
      lpstat -r 2>/dev/null | grep -q "is running" && break
      sleep 0.25
    done
  fi
  if ! lpstat -p PDF >/dev/null 2>&1; then
    $sudo lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null || return 1
  fi
  # Cairo's conversion to PostScript keeps text as text; the others turn the
  # embedded fonts into outlines without their characters.
  $sudo lpadmin -p PDF -o pdftops-renderer-default=pdftocairo
  lpstat -d 2>/dev/null | grep -q "^system default destination:" || $sudo lpadmin -d PDF
}

# The release build the package is made from; the whole-process benchmarks
# time the same binaries.
ZT_RELEASE_DIR="$ZT_ROOT/build/package"
ZT_RELEASE_OPTS=(-DCMAKE_BUILD_TYPE=Release -DZT_BUILD_TESTS=OFF -DZT_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr)

# zt_build DIR [cmake options...]: configure once, then build incrementally.
zt_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ZT_ROOT" -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir" -j "${ZT_JOBS:-$(nproc)}"
}

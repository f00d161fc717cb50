# Shared by scripts/run, scripts/test and scripts/fuzz: the Debian packages the
# project needs, installed when missing, and the build helpers.

ZT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

ZT_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libfreetype-dev libfontconfig-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils qpdf poppler-utils
)
ZT_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# Independent readers for scripts/test --external; large, so not installed by default.
ZT_EXTERNAL_PACKAGES=(libreoffice-draw libreoffice-core inkscape libuemf-dev)

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

# zt_build DIR [cmake options...]: configure once, then build incrementally.
zt_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ZT_ROOT" -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir" -j "$(nproc)"
}

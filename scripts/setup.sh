# Installs what the build and the tests need on Debian 12, when missing.
# Sourced by ./run and ./test; safe to run again.
vx_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  liborcus-dev zlib1g-dev
  fonts-ipafont-gothic
  python3 python3-ezdxf python3-xlrd
  linuxcnc-uspace
)

vx_install_missing() {
  vx_install_packages "${vx_packages[@]}"
}

# Installs the named packages that are not installed yet.
vx_install_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

vx_build() {
  local type="${1:-Release}"
  local launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" >/dev/null
  cmake --build build
}

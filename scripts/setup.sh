# Installs what the build and the tests need on Debian 12, when missing.
# Sourced by ./run and ./test; safe to run again.
vx_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev
  fonts-ipafont-gothic
  python3 python3-ezdxf python3-xlrd
  linuxcnc-uspace
)

# The sanitizer and fuzzing build (CI): clang with its sanitizer and libFuzzer
# runtimes, llvm-symbolizer for readable reports.
vx_sanitize_packages=(clang libclang-rt-dev llvm)

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

# vx_build_sanitize: build-sanitize/, everything (screens, tests, fuzz targets
# as libFuzzer programs) built by clang with ASan, UBSan and the standard
# library's assertions; line tables only, for readable reports.
vx_build_sanitize() {
  local launcher=()
  command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DCMAKE_CXX_COMPILER=clang++ \
    -DVEXLINE_FUZZ=ON -DVEXLINE_WITH_BENCHMARKS=OFF "${launcher[@]}" >/dev/null
  cmake --build build-sanitize
}

# What a sanitizer finding does in the tests and the fuzz runs: stop at once
# and fail. Leaks of third-party libraries are suppressed by name in
# scripts/lsan-suppressions.txt.
vx_sanitizer_environment() {
  local here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
  export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$here/lsan-suppressions.txt:print_suppressions=0"
}

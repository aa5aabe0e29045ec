#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the demo and the
# profiling script (bench/callgrind.sh: valgrind) need.
# Idempotent: only what is missing is installed. Safe to run as root or via sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config clang libclang-rt-14-dev
  dpkg-dev file lintian help2man doxygen
  libsoci-dev libboost-dev libsqlite3-dev
  unixodbc unixodbc-dev libsqliteodbc
  postgresql odbc-postgresql
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libfmt-dev libinih-dev
  qt6-base-dev qt6-translations-l10n fonts-wqy-microhei xvfb
  valgrind
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "bootstrap: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

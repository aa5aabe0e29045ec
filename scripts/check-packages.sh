#!/usr/bin/env bash
# Builds the Debian packages of a build folder (default: build) with CPack and
# checks them without installing anything into the system:
# - each package holds the files it should (dpkg-deb -c) and the control
#   files a shared-library package needs (dpkg-deb -I), and no file is in
#   two packages;
# - lintian finds no error in any of them (its warnings are listed);
# - unpacked together into one scratch folder (dpkg-deb -x), the -dev
#   package serves a small host program built through find_package and
#   through `pkg-config --cflags --libs qeltsqlwhere2`, and both run; the
#   unpacked tool tells its version.
# Prints one line per check and fails at the first that does not pass.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out="$build/packages"
root="$build/package-root"
work="$build/package-check"

fail() {
  echo "packages: $*" >&2
  exit 1
}
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

[[ -f "$build/CPackConfig.cmake" ]] || fail "$build is no configured build folder with packaging"
for tool in cpack dpkg-deb dpkg-shlibdeps lintian pkg-config; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/bootstrap.sh installs it)"
done
version=$(sed -n 's/^project(QeltSqlWhere2 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
major=${version%%.*} minor=${version#*.} minor=${minor%%.*}
# The SONAME's version: the major version, major.minor while major is 0.
if ((major == 0)); then so="0.$minor"; else so="$major"; fi
libdir=usr/$(cache_value CMAKE_INSTALL_LIBDIR)
arch=$(dpkg --print-architecture)
deb_version="$version-1"

declare -A files  # package -> the files it must hold
files["libqeltsqlwhere2-$so"]="$libdir/libqeltsqlwhere2.so.$so $libdir/libqeltsqlwhere2.so.$version
  usr/share/qeltsqlwhere2/demo.db"
files["libqeltsqlwhere2-dev"]="$libdir/libqeltsqlwhere2.so usr/include/qelt/cfilter.h
  usr/include/qelt/version.h usr/include/qelt/host/session.h $libdir/pkgconfig/qeltsqlwhere2.pc
  $libdir/cmake/QeltSqlWhere2/QeltSqlWhere2Config.cmake
  $libdir/cmake/QeltSqlWhere2/QeltSqlWhere2ConfigVersion.cmake
  $libdir/cmake/QeltSqlWhere2/QeltSqlWhere2Targets.cmake"
shared_libraries=("libqeltsqlwhere2-$so")
if [[ $(cache_value QELT_BUILD_APPS) == ON ]]; then
  files["qelt-filter"]="usr/bin/qelt-filter usr/share/man/man1/qelt-filter.1.gz"
fi
with_qt=OFF
if [[ $(cache_value QELT_BUILD_QT) == ON ]]; then
  with_qt=ON
  files["libqeltsqlwhere2-qt$so"]="$libdir/libqeltsqlwhere2_qt.so.$so $libdir/libqeltsqlwhere2_qt.so.$version"
  files["libqeltsqlwhere2-qt-dev"]="$libdir/libqeltsqlwhere2_qt.so usr/include/qelt/qt/qt_dialogs.h
    $libdir/pkgconfig/qeltsqlwhere2-qt.pc $libdir/cmake/QeltSqlWhere2/QeltSqlWhere2QtTargets.cmake"
  shared_libraries+=("libqeltsqlwhere2-qt$so")
fi
mapfile -t packages < <(printf '%s\n' "${!files[@]}" | sort)

rm -rf "$out" "$root" "$work"
mkdir -p "$out" "$root" "$work"
if ! cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack failed"
fi
built=$(find "$out" -maxdepth 1 -name '*.deb' | wc -l)
((built == ${#packages[@]})) || fail "cpack built $built packages, expected ${#packages[@]}: ${packages[*]}"
echo "packages: cpack built ${#packages[@]} packages of $deb_version in $out"

# Contents and control data.
for package in "${packages[@]}"; do
  deb="$out/${package}_${deb_version}_$arch.deb"
  [[ -f "$deb" ]] || fail "$package: no $deb"
  dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$work/$package.list"
  expected="${files[$package]} usr/share/doc/$package/copyright
    usr/share/doc/$package/changelog.Debian.gz usr/share/doc/$package/changelog.gz"
  for file in $expected; do
    grep -qxF "$file" "$work/$package.list" || fail "$package lacks $file"
  done
  [[ $(dpkg-deb -f "$deb" Package) == "$package" ]] || fail "$deb is not named after its package"
  size=$(stat -c %s "$deb")
  echo "package $package: $(numfmt --to=iec "$size") (installed $(dpkg-deb -f "$deb" Installed-Size) KiB)," \
    "expected files present; Depends: $(dpkg-deb -f "$deb" Depends)"
done
for package in "${shared_libraries[@]}"; do
  deb="$out/${package}_${deb_version}_$arch.deb"
  control=$(dpkg-deb -I "$deb")
  for member in shlibs triggers; do
    grep -qE "[0-9]+ lines? +$member *\$" <<<"$control" || fail "$package has no $member control file"
  done
  dpkg-deb -I "$deb" shlibs | grep -qE "^libqeltsqlwhere2(_qt)? $so $package \(>= $deb_version\)$" ||
    fail "$package: shlibs file does not name its package: $(dpkg-deb -I "$deb" shlibs)"
  echo "package $package: shlibs and ldconfig trigger present"
done
twice=$(cat "$work"/*.list | grep -v '/$' | sort | uniq -d)
[[ -z "$twice" ]] || fail "files in two packages: $twice"
echo "packages: no file in two packages"

# lintian: errors fail, warnings are listed.
# Exit status 2 means error tags, which the lines below show; 1 means
# lintian did not run through.
status=0
lintian --tag-display-limit 0 "$out"/*.deb >"$work/lintian.log" 2>&1 || status=$?
if ((status != 0 && status != 2)); then
  cat "$work/lintian.log" >&2
  fail "lintian failed (exit $status)"
fi
for package in "${packages[@]}"; do
  errors=$(grep -c "^E: ${package}[ :]" "$work/lintian.log" || true)
  warnings=$(grep "^W: ${package}[ :]" "$work/lintian.log" | awk '{print $3}' | sort -u | paste -sd, || true)
  echo "lintian $package: $errors errors; warnings: ${warnings:-none}"
done
if grep -q '^E: ' "$work/lintian.log"; then
  grep '^E: ' "$work/lintian.log" >&2
  fail "lintian reports errors"
fi

# Unpacked, the packages serve a host program where they lie.
for package in "${packages[@]}"; do
  dpkg-deb -x "$out/${package}_${deb_version}_$arch.deb" "$root"
done
export LD_LIBRARY_PATH="$root/$libdir"
export XDG_CACHE_HOME="$work/cache"
unset QELT_DATABASE QELT_PROPS QELT_USER_NAME
expect_output() {  # what, expected start of its standard output, command...
  local what=$1 start=$2 output
  shift 2
  output=$("$@" 2>"$work/stderr") || fail "$what exited with $?: $output $(cat "$work/stderr")"
  [[ "$output" == "$start"* ]] || fail "$what printed '$output', expected it to start with '$start'"
  echo "$what: ${output//$'\n'/ | }"
}
host_start=$'headers '"$version, library $version"$'\nSELECT TOP '
cmake -S tests/package/host -B "$work/host" -DCMAKE_PREFIX_PATH="$root/usr" \
  -DQELT_EXPECTED_VERSION="$version" -DHOST_QT="$with_qt" >"$work/host.log" 2>&1 ||
  { cat "$work/host.log" >&2; fail "the host does not configure through find_package"; }
cmake --build "$work/host" >>"$work/host.log" 2>&1 ||
  { cat "$work/host.log" >&2; fail "the host does not build through find_package"; }
expect_output "host (find_package)" "$host_start" "$work/host/host"

export PKG_CONFIG_PATH="$root/$libdir/pkgconfig"
[[ $(pkg-config --modversion qeltsqlwhere2) == "$version" ]] || fail "pkg-config finds another version"
# shellcheck disable=SC2046  # pkg-config's flags are words
c++ -std=c++20 -o "$work/host-pkg-config" tests/package/host/main.cpp \
  $(pkg-config --cflags --libs qeltsqlwhere2) || fail "the host does not build through pkg-config"
expect_output "host (pkg-config)" "$host_start" "$work/host-pkg-config"
[[ ! -e "$XDG_CACHE_HOME" ]] || fail "the hosts did not read the unpacked demo database"

if [[ $with_qt == ON ]]; then
  pkg-config --exists qeltsqlwhere2-qt || fail "pkg-config does not resolve qeltsqlwhere2-qt"
  expect_output "host (Qt front end, find_package)" "Qt front end, font " \
    env QT_QPA_PLATFORM=offscreen "$work/host/host_qt"
fi
if [[ -n "${files[qelt-filter]:-}" ]]; then
  # The tool finds its library relative to itself.
  tool=$(env -u LD_LIBRARY_PATH "$root/usr/bin/qelt-filter" --version) || fail "the tool does not run"
  [[ "$tool" == "qelt-filter $version" ]] || fail "qelt-filter --version printed '$tool'"
  echo "tool: $tool"
fi
echo "packages: all checks passed"

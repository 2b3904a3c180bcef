#!/bin/sh
# Builds the Debian package with cpack, checks what it holds, then runs the
# programs unpacked from it in a folder of their own, from another folder and
# with an empty environment, so that nothing of the build tree can help them.
#
# check_package.sh CPACK BUILD_DIR SOURCE_DIR WORK_DIR
set -eu
cpack=$1 build_dir=$2 source_dir=$3 work_dir=$4

fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work_dir"
mkdir -p "$work_dir"
# The list of dependencies (dpkg-shlibdeps) takes tens of seconds and is left
# out here; everything else is the package as cpack -G DEB builds it.
"$cpack" -G DEB -D CPACK_DEBIAN_PACKAGE_SHLIBDEPS=OFF \
  --config "$build_dir/CPackConfig.cmake" -B "$work_dir" >"$work_dir/cpack.log" 2>&1 ||
  { cat "$work_dir/cpack.log" >&2; fail "cpack failed"; }
set -- "$work_dir"/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one package in $work_dir, found: $*"
package=$1

# Where Debian's python3 of this minor version imports the module from.
python_packages=usr/lib/$(/usr/bin/python3 -c \
  'import sys; print(f"python{sys.version_info[0]}.{sys.version_info[1]}")')/dist-packages
# The paths alone, after permissions, owner, size, date and time.
listing=$(dpkg-deb -c "$package" | sed -E 's/^([^ ]+ +){5}//')
# Each line: a path the package must hold (a link with its target).
while IFS= read -r expected; do
  printf '%s\n' "$listing" | grep -qxF "$expected" || fail "the package lacks $expected"
done <<LIST
./usr/bin/heatpump -> ../lib/heatpump/heatpump
./usr/bin/hpcalc -> ../lib/heatpump/hpcalc
./usr/lib/heatpump/heatpump
./usr/lib/heatpump/hpcalc
./usr/lib/heatpump/libfluidcore.so
./usr/lib/heatpump/libhpcalc_pictures.so
./usr/lib/heatpump/fluids/R134a.fld
./usr/lib/heatpump/fluids/aliases.json
./usr/lib/heatpump/fluids/hmx.bnc
./usr/lib/heatpump/mixtures/R410A.mix
./usr/lib/heatpump/doc/Selection working fluid of the Ondu.PDF
./usr/share/applications/heatpump.desktop
./usr/share/icons/hicolor/scalable/apps/heatpump.svg
./$python_packages/heatpump/__init__.py
./$python_packages/heatpump/libfluidcore.so -> ../../../heatpump/libfluidcore.so
./$python_packages/heatpump/fluids -> ../../../heatpump/fluids
./$python_packages/heatpump/mixtures -> ../../../heatpump/mixtures
LIST
printf '%s\n' "$listing" |
  grep -qx "\./$python_packages/heatpump/_heatpump\.cpython-[^/]*\.so" ||
  fail "the package lacks the Python module's native part"
# Every fluid and mixture file, and nothing outside these places (no test or
# tool of the build).
for folder in fluids mixtures; do
  shipped=$(find "$source_dir/$folder" -type f | wc -l)
  packed=$(printf '%s\n' "$listing" | grep -c "^\./usr/lib/heatpump/$folder/[^/]*[^/]$" || true)
  [ "$shipped" -eq "$packed" ] || fail "$folder: $packed files packed, $shipped shipped"
done
stray=$(printf '%s\n' "$listing" | grep -v -e '/$' \
  -e '^\./usr/bin/\(heatpump\|hpcalc\) -> ' \
  -e '^\./usr/lib/heatpump/\(heatpump\|hpcalc\|libfluidcore\.so\|libhpcalc_pictures\.so\)$' \
  -e '^\./usr/lib/heatpump/\(fluids\|mixtures\|doc\)/' \
  -e '^\./usr/share/applications/heatpump\.desktop$' \
  -e '^\./usr/share/icons/hicolor/scalable/apps/heatpump\.svg$' \
  -e "^\./$python_packages/heatpump/\(__init__\.py\|_heatpump\.cpython-[^/]*\.so\)\$" \
  -e "^\./$python_packages/heatpump/\(libfluidcore\.so\|fluids\|mixtures\) -> " \
  || true)
[ -z "$stray" ] || fail "the package holds more than it should: $stray"

version=$(dpkg-deb -f "$package" Version)
[ "$(dpkg-deb -f "$package" Package)" = heatpump ] || fail "package name"

root=$(mktemp -d)
away=$(mktemp -d)
trap 'rm -rf "$root" "$away"' EXIT
dpkg-deb -x "$package" "$root"
desktop-file-validate "$root/usr/share/applications/heatpump.desktop" ||
  fail "the desktop entry does not validate"
grep -qx 'Exec=heatpump' "$root/usr/share/applications/heatpump.desktop" || fail "Exec"
grep -qx 'Icon=heatpump' "$root/usr/share/applications/heatpump.desktop" || fail "Icon"

# Runs an unpacked program from another folder with nothing in its environment.
run() (cd "$away" && env -i "$root/usr/bin/$@" 2>&1)

[ "$(run hpcalc --version)" = "hpcalc $version" ] || fail "hpcalc --version: $(run hpcalc --version)"
[ "$(run heatpump --version)" = "heatpump $version" ] ||
  fail "heatpump --version: $(run heatpump --version)"

basic=$(run hpcalc basic --refrigerant R410A --hot-water 30 --condensing 55) ||
  fail "hpcalc basic: $basic"
printf '%s\n' "$basic" | grep -q '^Evaporator (kW) *20\.90$' || fail "hpcalc basic: $basic"
critical=$(run hpcalc property CriticalPoint R134a T mks) || fail "hpcalc property: $critical"
# Drawing opens the drawing library beside the unpacked program.
drawn=$(run hpcalc diagram ph basic --out "$away/d.svg") || fail "hpcalc diagram: $drawn"
[ "$(head -c 5 "$away/d.svg")" = "<?xml" ] || fail "hpcalc diagram drew no SVG: $drawn"
[ "$critical" = 374.21 ] || fail "critical temperature of R134a: $critical"
# A missing fluid names the folders searched: the unpacked one, not the build's.
missing=$(run hpcalc property CriticalPoint NoSuchFluid T mks || true)
printf '%s\n' "$missing" | grep -qF "$root/usr/lib/heatpump/fluids" ||
  fail "not searched beside the unpacked program: $missing"
case $missing in *"$build_dir"*) fail "the build tree was searched: $missing" ;; esac
# Debian's python3 imports the unpacked module, which finds the library and
# the data (a blend's mixture file too) through its links.
python() (cd "$away" &&
  env -i PYTHONPATH="$root/$python_packages" /usr/bin/python3 -c "$1" 2>&1)
imported=$(python 'import heatpump
print(heatpump.__version__, heatpump.critical_point("R410A", "T", "mks"))') ||
  fail "import heatpump: $imported"
[ "$imported" = "$version $(run hpcalc property CriticalPoint R410A T mks)" ] ||
  fail "the Python module: $imported"
missing=$(python 'import heatpump; heatpump.critical_point("NoSuchFluid", "T", "mks")' || true)
printf '%s\n' "$missing" | grep -qF "$root/$python_packages/heatpump/fluids" ||
  fail "the Python module did not search beside itself: $missing"
echo "package $package: contents, installed programs and Python module checked"

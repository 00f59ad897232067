#!/usr/bin/env bash
# Builds Tolvane's Debian package from a Release build of the programs alone (no tests, no
# benchmark) and checks it: lintian (no errors), desktop-file-validate and appstreamcli on
# the files inside the package; run as root, it also installs the package, runs the
# installed tolvane-cli on the shipped library with a fresh home, and removes it again.
# BUILD_DIR chooses the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh lintian desktop-file-utils appstream dpkg-dev file fakeroot
build="${BUILD_DIR:-build-package}"
started=$(date +%s)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTOLVANE_WERROR=ON -DTOLVANE_TESTS=OFF \
      -DTOLVANE_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/tolvane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tolvane_*.deb)
echo "== $(basename "$deb"): $(du -h "$deb" | cut -f1), built in $(( $(date +%s) - started )) s"
dpkg-deb --field "$deb" Depends | sed 's/^/Depends: /'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
echo "== desktop-file-validate"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
echo "== appstreamcli validate"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
echo "== lintian"
# As root lintian wants to be told that this is meant.
lintian_root=()
[ "$(id -u)" -eq 0 ] && lintian_root=(--allow-root)
lintian "${lintian_root[@]}" --fail-on error --tag-display-limit 0 "$deb"
echo "lintian: no errors"

if [ "$(id -u)" -ne 0 ]; then
    echo "== not root: the package was not installed"
    exit 0
fi
echo "== dpkg -i / dpkg -r"
if dpkg-query -W -f='${Status}' tolvane 2>/dev/null | grep -q "install ok installed"; then
    echo "tolvane is installed already; leaving it alone"
    exit 0
fi
# apt-get, not dpkg -i: it installs whatever the computed dependencies name that the
# machine lacks, as a user installing the package would.
apt-get install -y --no-install-recommends "$(realpath "$deb")" >/dev/null
home="$work/home"
mkdir -p "$home"
# The installed command line on the shipped library, writing only under the fresh home.
HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    /usr/bin/tolvane-cli search --book 43 --mode all-terms "God so loved" >"$work/search.txt"
head -3 "$work/search.txt"
test -f "$home/.local/share/Tolvane/SysDefs/Translations.txt" ||
    { echo "the user's folder was not made"; dpkg -r tolvane >/dev/null; exit 1; }
dpkg -r tolvane >/dev/null
if [ -e /usr/share/tolvane ] || [ -e /usr/bin/tolvane ]; then
    echo "dpkg -r left files behind:"; find /usr/share/tolvane /usr/bin/tolvane 2>/dev/null | head
    exit 1
fi
echo "installed and removed cleanly"

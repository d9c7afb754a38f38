#!/usr/bin/env bash
# Proves that a new user can set up, build, test and install the suite: on a freshly
# bootstrapped Debian 12 (minimal base) holding a clean copy of the committed tree, it runs the
# README's set-up (the package installer, a configure of the whole tree and an optimised build of
# the six programs, through run.sh), then builds every target of that optimised configuration
# (a compiler warning fails the check), runs every test in it (windows offscreen), one batch job
# per program, and finally builds the Debian package, installs it with apt and tries what it
# installed. Nothing the host has installed can stand in for a missing package.
#
#   tools/fresh-check.sh     (as root, or through sudo: chroot and mounts; installs debootstrap)
#
# The bootstrapped base is cached under $FRESH_ROOT_CACHE (default /var/cache/suite-fresh-root),
# with the downloaded packages; the host's ccache is shared with the root, so a second run costs
# minutes. Every mount is undone and the root removed on every exit, success or not.
set -euo pipefail
cd "$(dirname "$0")/.."
repo="$PWD"
cache="${FRESH_ROOT_CACHE:-/var/cache/suite-fresh-root}"
mirror="${FRESH_ROOT_MIRROR:-http://deb.debian.org/debian}"
base="$cache/bookworm-minbase.tar"
ccache_dir="${CCACHE_DIR:-$(ccache -k cache_dir 2>/dev/null || echo "$HOME/.cache/ccache")}"

if [[ "$(id -u)" -ne 0 ]]; then
    exec sudo --preserve-env=FRESH_ROOT_CACHE,FRESH_ROOT_MIRROR,CCACHE_DIR "$0" "$@"
fi
# The one package the check itself needs on the host (CI may run on a new machine).
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap ||
        { apt-get update -qq && apt-get install -y -qq --no-install-recommends debootstrap; }
fi

# The check runs in a mount namespace of its own: every mount it makes ends with it, whatever
# way it ends, and the host never sees them, so removing the root afterwards cannot reach
# through a mount into the host's files.
if [[ -z "${FRESH_CHECK_WORK:-}" ]]; then
    work="$(mktemp -d /var/tmp/suite-fresh.XXXXXX)"
    trap 'rm -rf --one-file-system "$work"' EXIT
    status=0
    FRESH_CHECK_WORK="$work" CCACHE_DIR="$ccache_dir" \
        unshare --mount --propagation private "$0" "$@" || status=$?
    exit $status
fi
work="$FRESH_CHECK_WORK"
root="$work/root"
mounts=()
undo_mounts() {
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -R "${mounts[i]}" 2>/dev/null || umount -R -l "${mounts[i]}" 2>/dev/null || true
    done
}
trap undo_mounts EXIT
trap 'exit 130' INT TERM

bind() { # bind SOURCE TARGET-INSIDE-THE-ROOT
    mkdir -p "$1" "$root$2"
    mount --bind "$1" "$root$2"
    mounts+=("$root$2")
}

step() { printf '\n== fresh-check: %s (%s)\n' "$*" "$(date -u +%T)"; }

# The base: debootstrap once, then unpack a copy for each run.
mkdir -p "$cache/archives/partial"
if [[ ! -f "$base" ]]; then
    step "bootstrapping Debian 12 (minbase) into the cache"
    rm -rf "$cache/base.part"
    debootstrap --variant=minbase --cache-dir="$cache/archives" bookworm "$cache/base.part" \
        "$mirror"
    cat >"$cache/base.part/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
    tar -C "$cache/base.part" -cf "$base.part" .
    mv "$base.part" "$base"
    rm -rf "$cache/base.part"
fi
step "unpacking the base"
mkdir -p "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"

step "copying the committed tree ($(git rev-parse --short HEAD))"
mkdir -p "$root/src"
git archive HEAD | tar -C "$root/src" -x

mount -t proc proc "$root/proc"
mounts+=("$root/proc")
mkdir -p "$root/dev" && mount --rbind /dev "$root/dev"
mounts+=("$root/dev")
bind "$ccache_dir" /ccache
bind "$cache/archives" /var/cache/apt/archives
# Downloaded packages stay in the shared archive folder for the next run.
rm -f "$root/etc/apt/apt.conf.d/docker-clean"
echo 'Binary::apt::APT::Keep-Downloaded-Packages "true";' \
    >"$root/etc/apt/apt.conf.d/10keep-downloaded"

step "running the checks inside the root"
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    TERM=dumb /bin/bash -euo pipefail -c "$(cat <<'INSIDE'
step() { printf '\n== fresh-check (root): %s (%s)\n' "$*" "$(date -u +%T)"; }
cd /src
# The root's compiler is the host's, byte for byte, but not of the same file time: ccache is
# told to compare compilers by content, and paths inside the tree are made relative.
export CCACHE_DIR=/ccache CCACHE_COMPILERCHECK=content CCACHE_BASEDIR=/src CCACHE_NOHASHDIR=true
export QT_QPA_PLATFORM=offscreen
apt-get update -qq
step "README: ./run.sh (installer, configure, build) with a batch job of Pellin"
./run.sh Pellin --file examples/Pellin/breast_cancer.txt --neighbours 5 --partitions 10 \
    2> >(tee /tmp/setup.log >&2) >/tmp/pellin.out
grep "^Label" /tmp/pellin.out

step "every target of the optimised build; a compiler warning fails the check"
cmake -S . -B build-run -DSUITE_BUILD_BENCHMARKS=ON >/dev/null # the benchmarks too
cmake --build build-run -j"$(nproc)" 2>&1 | tee /tmp/build.log
if grep -n "warning:" /tmp/setup.log /tmp/build.log; then
    echo "fresh-check: the optimised build has warnings" >&2
    exit 1
fi

step "every test in the optimised build (windows offscreen)"
(cd build-run && ctest --output-on-failure -j"$(nproc)" --timeout 600)

step "one batch job per program, as the README runs them"
rm -rf /tmp/corvane && cp -r examples/Corvane /tmp/corvane
build-run/Corvane/Corvane --train /tmp/corvane/xor_backpropagation.prj |
    grep "^Label3(4)" >/dev/null
build-run/Tessaly/Tessaly --store examples/Tessaly/A.Tsy --store examples/Tessaly/T.Tsy \
    --store examples/Tessaly/L.Tsy --recall examples/Tessaly/A_noisy.Tsy --order full-serial \
    | diff - <(cat examples/Tessaly/A.Tsy && echo) # the recalled pattern is A
build-run/perceptron/perceptron --set 1 --steps 6 | grep "^Weights" >/dev/null
build-run/Dimora/Dimora --sc-size --d 2 --delta 2.00 | grep . >/dev/null
build-run/Quillon/Quillon --signal examples/Quillon/ecg.txt \
    --table examples/Quillon/qrs_table.txt --tol 2 --approximate --label 0.1 5 --parse \
    --save /tmp/segments.txt | grep "^List2" >/dev/null

step "the Debian package: build, install with apt, try what it installed"
cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DSUITE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-deb -j"$(nproc)" --target Corvane Tessaly perceptron Dimora Quillon Pellin \
    man_pages
(cd build-deb && cpack -G DEB)
deb="$(ls build-deb/neuralsuite_*.deb)"
dpkg-deb --info "$deb" | sed -n '/Depends/p'
dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v '/$'
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb"
# The checking tools come after the package, so they cannot stand in for its dependencies.
apt-get install -y -qq --no-install-recommends desktop-file-utils appstream shared-mime-info \
    >/dev/null

mkdir -p /tmp/elsewhere && cd /tmp/elsewhere
for p in Corvane Tessaly perceptron Dimora Quillon Pellin; do
    command -v "$p" >/dev/null
    "$p" --help >/dev/null
    test -s "/usr/share/man/man1/$p.1.gz"
    desktop-file-validate "/usr/share/applications/org.neuralsuite.$p.desktop"
    appstreamcli validate --no-net "/usr/share/metainfo/org.neuralsuite.$p.metainfo.xml" >/dev/null
    test -s "/usr/share/icons/hicolor/48x48/apps/org.neuralsuite.$p.png"
    test -s "/usr/share/icons/hicolor/256x256/apps/org.neuralsuite.$p.png"
    test -s "/usr/share/icons/hicolor/scalable/apps/org.neuralsuite.$p.svg"
done
Pellin --file /usr/share/Pellin/examples/breast_cancer.txt --neighbours 5 --partitions 10 \
    | grep "^Label" >/dev/null
cp -r /usr/share/Corvane/examples corvane && Corvane --evaluate corvane/xor_genetic.prj \
    | grep -P "^MsgBox\tCorvane\t[0-9]" >/dev/null # the error, shown in a message box
Tessaly --store /usr/share/Tessaly/examples/A.Tsy --recall /usr/share/Tessaly/examples/A.Tsy \
    | grep "^\[" >/dev/null
perceptron --set 2 --steps 1 | grep "^Weights" >/dev/null
Dimora --nn-size --d 2 --h 1:5 | grep . >/dev/null
Quillon --signal /usr/share/Quillon/examples/ecg.txt --tol 2 --approximate | grep "^List2" >/dev/null
test -s /usr/share/Corvane/Corvane.qhc -a -s /usr/share/Corvane/Corvane.qch
# The MIME types are registered, and the project and pattern types have their handlers.
grep -q "^application/x-corvane-project$" /usr/share/mime/types
grep -q "^application/x-tessaly-pattern$" /usr/share/mime/types
grep -q "application/x-corvane-project=org.neuralsuite.Corvane.desktop" \
    /usr/share/applications/mimeinfo.cache
grep -q "application/x-tessaly-pattern=org.neuralsuite.Tessaly.desktop" \
    /usr/share/applications/mimeinfo.cache
step "all passed"
INSIDE
)"

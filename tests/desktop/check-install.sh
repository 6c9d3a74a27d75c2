#!/bin/sh
# Installs the program twice, with `cmake --install` and from the .deb that `make package`
# builds, each into a scratch root, and checks what a desktop needs of it: the binary the
# desktop entry launches, the entry, the icons, the AppStream metadata.
# Usage: check-install.sh SOURCE_DIR BUILD_DIR SCRATCH_DIR APP_ID
set -eu

source_dir=$1
build_dir=$2
scratch=$3
app_id=$4
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

need() {
    command -v "$1" >/dev/null 2>&1 || {
        echo "FAIL: $1 is missing; scripts/install-deps installs it ($2)" >&2
        exit 1
    }
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev

# The PNG's width and height from its IHDR chunk.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

entry_value() {
    sed -n "s/^$2=//p" "$1" | head -n 1
}

# Checks an installed tree whose prefix is $1 (…/usr), named $2 in the messages.
check_tree() {
    prefix=$1
    what=$2
    entry=$prefix/share/applications/$app_id.desktop
    metainfo=$prefix/share/metainfo/$app_id.metainfo.xml

    [ -f "$entry" ] || { fail "$what: no desktop entry $entry"; return; }
    # Its hints too: one about two main categories means two places in the menu.
    report=$(desktop-file-validate "$entry") || fail "$what: desktop-file-validate rejects $entry"
    [ -z "$report" ] || fail "$what: desktop-file-validate says: $report"
    [ "$(entry_value "$entry" Type)" = Application ] || fail "$what: Type is not Application"
    [ -n "$(entry_value "$entry" Name)" ] || fail "$what: no Name"
    [ -n "$(entry_value "$entry" Comment)" ] || fail "$what: no Comment"
    [ "$(entry_value "$entry" Categories)" = "Education;Robotics;" ] ||
        fail "$what: Categories is '$(entry_value "$entry" Categories)'"
    [ "$(entry_value "$entry" Icon)" = "$app_id" ] || fail "$what: Icon is not $app_id"

    # The entry launches a bare command name, found on PATH: it must be the installed binary.
    command=$(entry_value "$entry" Exec | cut -d' ' -f1)
    case $command in
        */*) fail "$what: Exec names a path ($command), not the installed command" ;;
    esac
    binary=$prefix/bin/$command
    [ -x "$binary" ] || fail "$what: Exec runs '$command', but $binary is not an installed program"

    svg=$prefix/share/icons/hicolor/scalable/apps/$app_id.svg
    [ -f "$svg" ] && grep -q '<svg' "$svg" || fail "$what: no scalable icon $svg"
    for size in 48 128 256; do
        png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
        if [ ! -f "$png" ]; then
            fail "$what: no icon $png"
        elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
            fail "$what: $png is $(png_size "$png"), not ${size}x${size}"
        fi
    done

    [ -f "$metainfo" ] || { fail "$what: no metainfo $metainfo"; return; }
    appstreamcli validate --no-net "$metainfo" || fail "$what: appstreamcli rejects $metainfo"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "$what: the metainfo's id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "$what: the metainfo does not launch $app_id.desktop"
    grep -q "<binary>$command</binary>" "$metainfo" || fail "$what: the metainfo does not provide $command"
    grep -q "<project_license>MIT</project_license>" "$metainfo" || fail "$what: the metainfo names no MIT licence"

    copyright=$prefix/share/doc/armdraw/copyright
    grep -q '^License: MIT$' "$copyright" && grep -q '^ Permission is hereby granted' "$copyright" ||
        fail "$what: $copyright does not carry the MIT licence"

    # Launched from the entry's command, the program must come up and stay up; a missing
    # library or plugin ends it at once.
    if [ -x "$binary" ]; then
        status=0
        QT_QPA_PLATFORM=offscreen timeout 3 "$binary" >/dev/null 2>&1 || status=$?
        [ "$status" -eq 124 ] || fail "$what: $binary ended with status $status instead of running"
    fi
}

rm -rf "$scratch"
mkdir -p "$scratch"

echo "== cmake --install into a scratch prefix"
cmake --install "$build_dir" --prefix "$scratch/install/usr" >/dev/null
check_tree "$scratch/install/usr" "cmake --install"

echo "== the Debian package"
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$scratch/deb" >"$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log" >&2
    fail "cpack failed"
    exit 1
}
set -- "$scratch"/deb/armdraw_*.deb
[ "$#" -eq 1 ] && [ -f "$1" ] || { fail "cpack made no single armdraw_*.deb in $scratch/deb"; exit 1; }
deb=$1
[ "$(dpkg-deb -f "$deb" Package)" = armdraw ] || fail "the package is not named armdraw"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "armdraw developers" ] ||
    fail "the package's maintainer is '$(dpkg-deb -f "$deb" Maintainer)'"
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 fonts-wine; do
    echo "$depends" | grep -q "$dependency" || fail "the package does not depend on $dependency"
done
dpkg-deb -x "$deb" "$scratch/extracted"
check_tree "$scratch/extracted/usr" "dpkg-deb -x"

# dpkg itself, into an empty root of its own (it can own files there only as root).
if [ "$(id -u)" -eq 0 ]; then
    echo "== dpkg --root"
    root=$scratch/root
    mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
    : >"$root/var/lib/dpkg/status"
    # The empty root has none of the libraries installed: only this package's own files count.
    if dpkg --root="$root" --force-depends -i "$deb" >"$scratch/dpkg.log" 2>&1; then
        dpkg --root="$root" -s armdraw | grep -q '^Status: install ok installed' ||
            fail "dpkg --root does not list armdraw as installed"
        check_tree "$root/usr" "dpkg --root"
    else
        cat "$scratch/dpkg.log" >&2
        fail "dpkg --root -i failed"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all install checks passed"

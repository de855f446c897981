#!/usr/bin/env bash
# The Debian package from CPack: named by version, clean for lintian, holding
# the installed tree, depending on what SDL opens at run time as well as on
# what the binaries link, and resolvable by apt on a machine with nothing on it.
set -u
source "$(dirname "$0")/lib.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
deb="$INSTALL_TMP/norvex_${version}_amd64.deb"
e2e_check "cpack builds $(basename "$deb")" quiet cpack --config "$BUILD/CPackConfig.cmake" -B "$INSTALL_TMP"
[ -f "$deb" ] || { e2e_fail "cpack wrote no $(basename "$deb")"; e2e_finish; }
ls -l "$deb"

plasma_deb="$INSTALL_TMP/norvex-plasma_${version}_amd64.deb"
[ "$PLASMA" = ON ] || plasma_deb=""
[ -z "$plasma_deb" ] || e2e_check "cpack builds $(basename "$plasma_deb") beside it" test -f "$plasma_deb"
lintian --info "$deb" $plasma_deb 2>&1 | grep -v '^running with root' | tee "$INSTALL_TMP/lintian"
e2e_check "lintian: no errors" sh -c "! grep -q '^E: ' '$INSTALL_TMP/lintian'"
e2e_check "lintian: built with the distribution's hardening" sh -c "! grep -q ' hardening-' '$INSTALL_TMP/lintian'"

e2e_check "package name" test "$(dpkg-deb -f "$deb" Package)" = norvex
e2e_check "package version" test "$(dpkg-deb -f "$deb" Version)" = "$version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
tr ',|' '\n\n' <<<"$depends" | awk '{print $1}' > "$INSTALL_TMP/depends"
# Linked libraries (the Wayland roles' among them), then the GLX and EGL front
# ends that SDL loads by name.
for package in libc6 libstdc++6 libsdl2-2.0-0 libglu1-mesa libpng16-16 libgl1 libegl1 libwayland-client0 \
               libwayland-egl1; do
    e2e_check "depends on $package" grep -qxF "$package" "$INSTALL_TMP/depends"
done

e2e_check "suggests a screen-saver daemon" test "$(dpkg-deb -f "$deb" Suggests | cut -d, -f1)" = "xscreensaver | mate-screensaver"
e2e_check "depends on no Qt (the Plasma wallpaper's own package does)" sh -c "! grep -q qt '$INSTALL_TMP/depends'"
if [ -n "$plasma_deb" ]; then
    e2e_check "suggests the Plasma wallpaper" sh -c "dpkg-deb -f '$deb' Suggests | grep -q ', norvex-plasma$'"
    plasma_depends=$(dpkg-deb -f "$plasma_deb" Depends)
    echo "norvex-plasma Depends: $plasma_depends"
    for package in "norvex (= $version)" libqt5quick5 libqt5qml5; do
        e2e_check "norvex-plasma depends on $package" grep -qF "$package" <<<"$plasma_depends"
    done
    dpkg-deb -c "$plasma_deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort >"$INSTALL_TMP/plasma-files"
    e2e_check "norvex-plasma holds exactly the wallpaper's files" diff -u "$EXPECTED_PLASMA_FILES" "$INSTALL_TMP/plasma-files"
    dpkg-deb -x "$plasma_deb" "$INSTALL_TMP/plasma-root"
    e2e_check "the packaged wallpaper package is one Plasma loads" wallpaper_package_valid "$INSTALL_TMP/plasma-root/usr"
fi

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | sort > "$INSTALL_TMP/files"
e2e_check "holds exactly the installed files under /usr" diff -u "$EXPECTED_FILES" "$INSTALL_TMP/files"

e2e_check "packaged binaries are stripped" \
    sh -c "dpkg-deb -x '$deb' '$INSTALL_TMP/root' && file -b '$INSTALL_TMP/root/usr/bin/norvex' '$INSTALL_TMP/root/usr/bin/norvex-capture' | grep -c ', stripped' | grep -qx 2"
e2e_check "packaged screen-saver files agree, under /usr" saver_files_agree "$INSTALL_TMP/root/usr" /usr
e2e_check "copyright: machine-readable, the MIT license for the program" \
    sh -c "head -n 1 '$INSTALL_TMP/root/usr/share/doc/norvex/copyright' | grep -q copyright-format/1.0 &&
           grep -qx 'License: MIT' '$INSTALL_TMP/root/usr/share/doc/norvex/copyright'"
e2e_check "no placeholder home page or maintainer" sh -c "! dpkg-deb -f '$deb' | grep -qE 'example\.(org|com)|^Homepage:'"
e2e_check "packaged norvex-capture writes a frame" capture_writes_frame "$INSTALL_TMP/root/usr/bin/norvex-capture"

# apt against an empty package database: what a bare machine would install.
if apt-cache show libsdl2-2.0-0 >/dev/null 2>&1; then
    : >"$INSTALL_TMP/status"
    apt-get -s -o Dir::State::status="$INSTALL_TMP/status" install "$deb" >"$INSTALL_TMP/apt" 2>&1
    e2e_check "apt resolves the package on a bare machine" grep -q '^Inst norvex ' "$INSTALL_TMP/apt"
    for package in libsdl2-2.0-0 libglx-mesa0 libegl-mesa0 libgl1-mesa-dri; do
        e2e_check "a bare machine gets $package" grep -q "^Inst $package " "$INSTALL_TMP/apt"
    done
else
    echo "skip: apt has no package lists (apt-get update), bare-machine resolution not checked"
fi
e2e_finish

#!/usr/bin/env bash
# An install into a temporary prefix: exactly the expected files, each valid by
# the distribution's own checkers, and the installed norvex-capture works there.
set -u
source "$(dirname "$0")/lib.sh"
prefix="$INSTALL_TMP/prefix"

e2e_check "cmake --install into $prefix" quiet cmake --install "$BUILD" --prefix "$prefix"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) > "$INSTALL_TMP/files"
if [ "$PLASMA" = ON ]; then
    sort "$EXPECTED_FILES" "$EXPECTED_PLASMA_FILES" >"$INSTALL_TMP/expected"
    e2e_check "the Plasma wallpaper package is one Plasma loads" wallpaper_package_valid "$prefix"
else
    cp "$EXPECTED_FILES" "$INSTALL_TMP/expected"
fi
e2e_check "exactly the expected files" diff -u "$INSTALL_TMP/expected" "$INSTALL_TMP/files"

desktop="$prefix/share/applications/norvex.desktop"
e2e_check "desktop-file-validate: clean" silent desktop-file-validate "$desktop"
e2e_check "desktop entry runs an installed binary" test -x "$prefix/bin/$(sed -n 's/^Exec=//p' "$desktop")"
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
e2e_check "appstreamcli validate --no-net" appstreamcli validate --no-net "$metainfo"
e2e_check "metainfo launches the installed desktop entry" \
    grep -q '<launchable type="desktop-id">norvex.desktop</launchable>' "$metainfo"
e2e_check "metainfo id names its file" grep -q "<id>$(basename "$metainfo" .metainfo.xml)</id>" "$metainfo"
e2e_check "metainfo: the project's license, MIT, and no placeholder address" \
    sh -c "grep -q '<project_license>MIT</project_license>' '$metainfo' && ! grep -q 'example\.' '$metainfo'"

saver="$prefix/share/applications/screensavers/norvex.desktop"
e2e_check "desktop-file-validate on the screen-saver entry: no error or warning (hints allowed)" \
    sh -c "desktop-file-validate '$saver' | grep -E 'error|warning'; [ \$? -eq 1 ]"
e2e_check "xmllint: the xscreensaver settings file is well-formed" quiet xmllint --noout "$prefix/share/xscreensaver/config/norvex.xml"
e2e_check "screen-saver entry, hack link and settings file agree" saver_files_agree "$prefix" "$prefix"
e2e_check "the hack link runs norvex" sh -c "'$prefix/libexec/xscreensaver/norvex' --version | grep -q '^norvex '"

for page in norvex norvex-capture; do
    e2e_check "man page $page renders without warnings" man_renders_clean "$prefix/share/man/man1/$page.1.gz" "$page"
done

icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 48 128 256; do
    e2e_check "icon $icon at ${size}x$size" png_of_size "$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png" $size $size
done

for binary in bin/norvex bin/norvex-capture $([ "$PLASMA" = ON ] && grep '\.so$' "$EXPECTED_PLASMA_FILES"); do
    e2e_check "$binary carries no run path into the build" \
        sh -c "! readelf -d '$prefix/$binary' | grep -qE 'RPATH|RUNPATH'"
done
e2e_check "installed norvex-capture writes a frame" capture_writes_frame "$prefix/bin/norvex-capture"
e2e_finish

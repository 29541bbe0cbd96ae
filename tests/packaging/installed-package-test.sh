#!/usr/bin/env bash
# The Debian package as a user gets it: made from this build tree (or taken from KESTRUNE_DEB),
# unpacked into a scratch root, and run from there on the sample study disk it carries.
# Usage: installed-package-test.sh BUILD_DIR SAMPLE_DISK   (exit 77: skipped, a packaging tool is missing)
set -euo pipefail
build=$1
sample=$2
command -v dpkg-deb >/dev/null || { echo "dpkg-deb is not installed: skipped"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

deb=${KESTRUNE_DEB:-}
if [[ -z "$deb" ]]; then
  for tool in cpack dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed: skipped"; exit 77; }
  done
  # cpack installs the build tree's programs into its own staging area under the scratch directory,
  # so parallel test runs never share files.
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack did not build the package"; }
  deb=$(ls "$scratch"/out/kestrune_*.deb)
fi

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n \
  fonts-ipafont-gothic fonts-liberation2 xdg-utils; do
  [[ ",$depends," == *[\ ,]"$needed"[\ ,\(]* ]] || fail "Depends lacks $needed: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *libreoffice-calc* && "$recommends" == *libreoffice-writer* ]] ||
  fail "Recommends lacks LibreOffice: $recommends"
[[ "$depends" != *libreoffice* ]] || fail "LibreOffice must not be a dependency"
# kestrune-cli-collect's HTTP server and QR code encoder come from their run-time packages.
[[ "$depends" == *libqrencode* && "$depends" == *libcpp-httplib* ]] ||
  fail "Depends lacks the collection program's libraries: $depends"

root="$scratch/root"
dpkg -x "$deb" "$root"
for file in usr/bin/kestrune usr/bin/kestrune-cli usr/lib/kestrune/kestrune-cli-draw usr/lib/kestrune/kestrune-cli-collect usr/share/applications/kestrune.desktop \
  usr/share/icons/hicolor/scalable/apps/kestrune.svg usr/share/man/man1/kestrune-cli.1.gz; do
  [[ -f "$root/$file" ]] || fail "the package lacks /$file"
done
disk="$root/usr/share/kestrune/study-disk"
diff -r --exclude=.gitkeep "$sample" "$disk" || fail "the installed sample disk differs from $sample"

# The installed batch program on the installed disk: exactly the sample disk's two series.
listing=$("$root/usr/bin/kestrune-cli" --root "$disk" series)
expected=$'色彩の印象\t5\t8\t5色の色見本の印象評価\n飲料の味\t4\t5\t試作飲料4種の官能評価'
[[ "$listing" == "$expected" ]] || fail "series on the installed disk printed: $listing"

# The text commands' program needs no Qt; a drawing command is carried out by the installed
# kestrune-cli-draw, run by kestrune-cli with the same arguments.
needed=$(objdump -p "$root/usr/bin/kestrune-cli" | sed -n 's/^ *NEEDED *//p')
[[ "$needed" != *libQt6* ]] || fail "kestrune-cli links Qt: $needed"
cp -r "$disk" "$scratch/disk"
"$root/usr/bin/kestrune-cli" --root "$scratch/disk" numberline 色彩の印象 mix 大学生2026 -o "$scratch/line.svg" ||
  fail "numberline through the installed drawing program failed"
grep -q '<svg' "$scratch/line.svg" || fail "numberline wrote no SVG picture"

# The installed man page describes every command the installed program lists.
man_text=$(gzip -dc "$root/usr/share/man/man1/kestrune-cli.1.gz")
commands=$("$root/usr/bin/kestrune-cli" --help | sed -n '/^コマンド:/,/^$/s/^  \([a-z-]*\) .*/\1/p')
[[ -n "$commands" ]] || fail "kestrune-cli --help lists no command"
for command in $commands; do
  escaped=${command//-/\\-}
  [[ "$man_text" == *".SS $escaped"$'\n'* ]] || fail "the man page lacks the command $command"
done

# The installed window program starts on the installed disk and is still running after a while
# (it has no way to quit by itself; a crash or a missing library ends it early).
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/kestrune" "$disk" >"$scratch/window.log" 2>&1
status=$?
set -e
[[ $status -eq 124 ]] || { cat "$scratch/window.log"; fail "the window program ended with status $status"; }
echo "package $(basename "$deb") installs and runs"

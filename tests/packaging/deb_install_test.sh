#!/bin/sh
# deb_install_test.sh BUILD_DIR CPACK APP_ID "ICON SIZES" DEFAULT_INI [PROBE]
#
# Builds the Debian package from BUILD_DIR, unpacks it into a scratch root and
# checks what a fresh machine gets: control fields, the program and its link,
# the teacher's settings file in /etc with its link beside the program, the
# licence, changelog and manual page, the menu entry, the icons, the
# metainfo, lintian's verdict (when installed), and a program that opens its
# window when started by the menu entry's command.
# Exits 77 (skipped) when a tool it needs is missing.
set -eu

build=$1 cpack=$2 app_id=$3 icon_sizes=$4 default_ini=$5 probe=${6:-}
here=$(cd "$(dirname "$0")" && pwd)
[ -n "$icon_sizes" ] || { echo "FAIL: no icon sizes given" >&2; exit 1; }

for tool in "$cpack" dpkg-deb dpkg-shlibdeps xvfb-run xdotool od timeout; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d "$build/deb-install-test.XXXXXX")
# The program's session runs under timeout (below); leaving while it runs,
# on an interruption, asks timeout to end it and waits until it has.
session=""
end_session() {
  [ -n "$session" ] || return 0
  kill -s TERM "$session" 2>/dev/null || true
  wait "$session" 2>/dev/null || true
}
trap 'end_session; rm -rf "$scratch"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# --- build and unpack ---------------------------------------------------------
if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack could not build the package"
fi
set -- "$scratch"/out/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one .deb, found: $*"
deb=$1
root=$scratch/root
dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$scratch/control"
echo "built $(basename "$deb")"

# --- control data -------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = gradoir ] || fail "package name is '$(field Package)'"
[ "$(field Section)" = education ] || fail "section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
# Dependencies come from dpkg-shlibdeps reading the program's libraries.
field Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt widgets library: $(field Depends)"
grep -qx '/etc/gradoir/Grado.ini' "$scratch/control/conffiles" ||
  fail "/etc/gradoir/Grado.ini is not a conffile"

# --- program, link, settings --------------------------------------------------
program=$root/usr/lib/gradoir/gradoir
[ -f "$program" ] && [ -x "$program" ] || fail "no executable at /usr/lib/gradoir/gradoir"
[ -L "$root/usr/bin/gradoir" ] || fail "/usr/bin/gradoir is not a symbolic link"
[ "$(readlink "$root/usr/bin/gradoir")" = ../lib/gradoir/gradoir ] ||
  fail "/usr/bin/gradoir points to $(readlink "$root/usr/bin/gradoir")"
# Beside the real executable, a link to the teacher's file in /etc (absolute,
# as Debian wants links between top-level folders).
beside=$(dirname "$(readlink -f "$root/usr/bin/gradoir")")/Grado.ini
[ -L "$beside" ] || fail "no Grado.ini link beside the real executable"
[ "$(readlink "$beside")" = /etc/gradoir/Grado.ini ] || fail "Grado.ini beside the program points to $(readlink "$beside")"
settings=$root/etc/gradoir/Grado.ini
[ -f "$settings" ] || fail "no /etc/gradoir/Grado.ini"
cmp -s "$settings" "$default_ini" || fail "installed Grado.ini differs from $default_ini"
[ "$(wc -l <"$settings")" -eq 16 ] || fail "Grado.ini should hold sixteen lines"
# Every key of the shipped file says what the program assumes without one:
# a copy of the program with the file beside it, and one without.
mkdir "$scratch/with" "$scratch/without"
cp "$program" "$scratch/with/gradoir"
cp "$program" "$scratch/without/gradoir"
cp "$settings" "$scratch/with/Grado.ini"
with=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/with/gradoir" --check-settings) || fail "shipped Grado.ini: $with"
without=$(env -u DISPLAY -u WAYLAND_DISPLAY "$scratch/without/gradoir" --check-settings) || fail "no Grado.ini: $without"
[ "$with" = "$without" ] || fail "Grado.ini gives
$with
the program's defaults are
$without"

# --- licence, changelog, manual page, lintian ----------------------------------
[ -f "$root/usr/share/doc/gradoir/copyright" ] || fail "no copyright file"
grep -q '^License: GPL-3+' "$root/usr/share/doc/gradoir/copyright" || fail "copyright names no GPL-3+ licence"
gzip -t "$root/usr/share/doc/gradoir/changelog.gz" || fail "changelog.gz is not gzip"
gzip -t "$root/usr/share/man/man1/gradoir.1.gz" || fail "no manual page gradoir(1)"
if command -v man >/dev/null 2>&1; then
  man -l "$root/usr/share/man/man1/gradoir.1.gz" 2>&1 | grep -q -- '--check-settings' ||
    fail "the manual page does not render"
fi
if command -v lintian >/dev/null 2>&1; then
  # No error, and no warning that an override does not explain.
  lintian --fail-on error,warning "$deb" >"$scratch/lintian.log" 2>&1 ||
    { cat "$scratch/lintian.log" >&2; fail "lintian found errors or warnings"; }
else
  echo "lintian unavailable: the package was not checked by it"
fi
if [ -n "$probe" ]; then
  # The shipped file must say what the program assumes when there is none.
  shipped=$("$probe" settings --file "$settings") || fail "probe cannot read Grado.ini"
  builtin=$("$probe" settings --file "$scratch/no-such-file") || fail "probe failed without a file"
  [ "$shipped" = "$builtin" ] || fail "Grado.ini gives $shipped, the program's defaults are $builtin"
fi

# --- menu entry, icons, metainfo ----------------------------------------------
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
[ -f "$desktop" ] || fail "no menu entry $app_id.desktop"
[ -f "$metainfo" ] || fail "no metainfo $app_id.metainfo.xml"
icon=$(sed -n 's/^Icon=//p' "$desktop")
command=$(sed -n 's/^Exec=//p' "$desktop")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ -n "$wm_class" ] || fail "the menu entry names no window class"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $app_id.desktop"
grep -q "<binary>$command</binary>" "$metainfo" || fail "metainfo does not provide the binary '$command'"
# The installed tree as a whole: metainfo, the menu entry it launches, icons.
if command -v appstreamcli >/dev/null 2>&1; then
  appstreamcli validate-tree --no-net "$root" >"$scratch/tree.log" 2>&1 ||
    { cat "$scratch/tree.log" >&2; fail "the installed tree does not validate"; }
else
  echo "appstreamcli unavailable: the installed tree was not validated as a whole"
fi

# Width and height are the big-endian words at bytes 16 and 20 of a PNG; the
# colour type at byte 25 is 6 for RGBA, which keeps the transparency.
png_field() { od -An -tu1 -j"$2" -N"$3" "$1" | awk '{ v = 0; for (i = 1; i <= NF; i++) v = v * 256 + $i; print v }'; }
for size in $icon_sizes; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no ${size}x${size} icon named $icon"
  [ "$(head -c 4 "$png" | tail -c 3)" = PNG ] || fail "$png is not a PNG"
  [ "$(png_field "$png" 16 4)x$(png_field "$png" 20 4)" = "${size}x${size}" ] ||
    fail "$png is $(png_field "$png" 16 4)x$(png_field "$png" 20 4)"
  [ "$(png_field "$png" 25 1)" = 6 ] || fail "$png has no alpha channel"
done

# --- start it as the menu would ------------------------------------------------
# Under strace when there is one, to see which settings file the program
# reads: the link beside its real executable, reached through /usr/bin.
real_program=$(readlink -f "$program")
tracer=""
if command -v strace >/dev/null 2>&1 && strace -o /dev/null true 2>/dev/null; then
  # Looks count as well as opens: a missing file is only looked at.
  tracer="strace -f -qq -e trace=open,openat,stat,lstat,newfstatat,statx -o $scratch/files.log"
fi
# A session bus of its own, as on a desktop, or none where dbus-run-session
# is missing ("disabled:" is an address libdbus refuses): never the caller's
# bus, and never one that libdbus autolaunches through dbus-launch, whose
# daemon outlives the program and keeps strace -f waiting.
if command -v dbus-run-session >/dev/null 2>&1; then
  bus="dbus-run-session --"
else
  bus="env DBUS_SESSION_BUS_ADDRESS=disabled:"
fi
# timeout puts the session (bus, X server, tracer, program) in a process
# group of its own and, when the limit is up or when it is told to stop,
# sends the whole group SIGTERM (the X server then removes its lock file),
# then SIGKILL 5 s later. The limit is past window_smoke.sh's own waits, and
# within CTest's.
limit=60
# The program records its tries: in the scratch folder, not the tester's.
export XDG_DATA_HOME="$scratch/data"
PATH=$root/usr/bin:$PATH timeout -k 5 $limit $bus xvfb-run -a -s "-screen 0 1280x800x24" \
  sh "$here/window_smoke.sh" "$scratch/program.log" "$real_program" "$wm_class" $tracer $command &
session=$!
status=0
wait "$session" || status=$?
session=""
if [ "$status" -ne 0 ]; then
  [ ! -f "$scratch/program.log" ] || cat "$scratch/program.log" >&2
  [ "$status" -ne 124 ] || fail "the program's session was still running after $limit s"
  fail "the installed program did not show its window and quit"
fi
if [ -n "$tracer" ]; then
  # The link beside the program: it leads to /etc/gradoir/Grado.ini of this
  # machine, which may well be missing here, so failed opens count too.
  opened=$(grep 'Grado\.ini"' "$scratch/files.log" | sed 's/[^"]*"\([^"]*\)".*/\1/' | sort -u)
  [ "$opened" = "$beside" ] || fail "the program read '$opened' instead of $beside"
  echo "read $opened"
else
  echo "strace unavailable: which Grado.ini the program reads was not checked"
fi
echo "PASS"

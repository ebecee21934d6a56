#!/usr/bin/env bash
# Installs the build into temporary prefixes and checks what a user gets: the program folder with the program
# and kirvo.hlp, the launcher link, the icon in the hicolor theme and a desktop entry that starts the installed
# program with that icon. Reinstalling keeps the settings and people files a per-user copy wrote beside itself.
# Usage: install_layout.sh <build dir> <source dir>
set -euo pipefail
build="$1"
source="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

case_name=""
fail() {
  echo "FAIL [$case_name]: $*" >&2
  exit 1
}

# Width and height from a PNG header, or nothing when the file is no PNG.
png_size() {
  local magic
  magic="$(od -An -tx1 -N8 "$1" | tr -d ' \n')"
  [ "$magic" = "89504e470d0a1a0a" ] || return 1
  echo "$(od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')"
}

entry_value() {
  sed -n "s/^$1=//p" "$2"
}

# One installation: name, prefix, DESTDIR (empty for none), and the Exec line expected in the entry.
check_install() {
  case_name="$1"
  local prefix="$2" destdir="$3" exec_line="$4"
  local root="$destdir$prefix"
  local folder="$root/lib/kirvo"
  DESTDIR="$destdir" cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 \
    || { cat "$tmp/install.log" >&2; fail "cmake --install failed"; }

  [ -f "$folder/kirvo" ] && [ -x "$folder/kirvo" ] || fail "no program in $folder"
  cmp -s "$folder/kirvo.hlp" "$source/help/kirvo.hlp" || fail "kirvo.hlp is not the help file"
  local size
  for size in 16 24 32 48 64 128 256; do
    [ "$(png_size "$root/share/icons/hicolor/${size}x${size}/apps/kirvo.png" || true)" = "${size}x${size}" ] \
      || fail "no ${size}x${size} PNG icon in the hicolor theme"
  done
  local unexpected
  unexpected="$(cd "$folder" && ls -A | grep -v -x -e kirvo -e kirvo.hlp -e kirvo.ini -e kirvo.dat || true)"
  [ -z "$unexpected" ] || fail "unexpected files in the program folder: $unexpected"

  [ -L "$root/bin/kirvo" ] || fail "no launcher link in bin"
  [ "$(readlink "$root/bin/kirvo")" = "../lib/kirvo/kirvo" ] || fail "the launcher link points elsewhere"
  [ "$(readlink -f "$root/bin/kirvo")" = "$(readlink -f "$folder/kirvo")" ] || fail "the launcher link is broken"

  local entry="$root/share/applications/kirvo.desktop"
  [ -f "$entry" ] || fail "no desktop entry"
  [ "$(head -n 1 "$entry")" = "[Desktop Entry]" ] || fail "the entry has no [Desktop Entry] group"
  [ "$(entry_value Type "$entry")" = "Application" ] || fail "Type is not Application"
  [ "$(entry_value Name "$entry")" = "バイオリズム" ] || fail "Name is not バイオリズム"
  [ "$(entry_value Exec "$entry")" = "$exec_line" ] || fail "Exec is '$(entry_value Exec "$entry")', not '$exec_line'"
  [ "$(entry_value TryExec "$entry")" = "$prefix/lib/kirvo/kirvo" ] || fail "TryExec is not the program"
  [ "$(entry_value Icon "$entry")" = "kirvo" ] || fail "Icon is not the theme's kirvo icon"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" >"$tmp/validate.log" 2>&1 \
      || { cat "$tmp/validate.log" >&2; fail "desktop-file-validate refuses the entry"; }
  fi

  # The user's files beside the program survive an update of the installation.
  printf 'TaskTray=False\r\n' >"$folder/kirvo.ini"
  printf '00002.00' >"$folder/kirvo.dat"
  DESTDIR="$destdir" cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 \
    || { cat "$tmp/install.log" >&2; fail "installing again failed"; }
  [ "$(cat "$folder/kirvo.ini")" = $'TaskTray=False\r' ] || fail "reinstalling changed kirvo.ini"
  [ "$(cat "$folder/kirvo.dat")" = "00002.00" ] || fail "reinstalling changed kirvo.dat"
  [ -L "$root/bin/kirvo" ] || fail "reinstalling lost the launcher link"
  echo "ok [$case_name]"
}

plain="$tmp/home/.local"
check_install "plain prefix" "$plain" "" "$plain/lib/kirvo/kirvo"

# Blanks and Japanese in the path: Exec quotes the program, the other keys take the path as it is.
spaced="$tmp/ユーザー の/.local"
check_install "prefix with blanks" "$spaced" "" "\"$spaced/lib/kirvo/kirvo\""

# A staged install (DESTDIR) keeps the final paths in the entry and the link.
check_install "staged with DESTDIR" "/opt/kirvo-test" "$tmp/stage" "/opt/kirvo-test/lib/kirvo/kirvo"
echo "install layout: all cases passed"

#!/usr/bin/env bash
# The Debian package as a user gets it: cpack builds it from the build folder's program, its contents and
# metadata pass dpkg, lintian, appstreamcli and desktop-file-validate, and the program unpacked into a
# temporary root (read-only, like a system install) runs as an ordinary user under Xvfb with a temporary home.
# There the settings go to the user's data folder and nothing is written beside the program, an
# administrator's kirvo.ini beside the program seeds the first settings, and a second start is the second copy.
# Usage: package.sh <build dir> <source dir> <version> <cpack>
build="$1"
source_dir="$2"
version="$3"
cpack="$4"
source "$source_dir/tests/e2e/lib.sh" "$build/kirvo"
# The unpacked root is made read-only below; open it again so the harness can remove it.
trap 'chmod -R u+w "$E2E_DIR" 2>/dev/null; e2e_cleanup' EXIT

arch="$(dpkg --print-architecture)"
deb="$E2E_DIR/out/kirvo_${version}_${arch}.deb"
(cd "$build" && "$cpack" -G DEB -B "$E2E_DIR/out") >"$E2E_DIR/cpack.log" 2>&1 \
  || { cat "$E2E_DIR/cpack.log" >&2; fail "cpack failed"; }
[ -f "$deb" ] || fail "cpack made no ${deb##*/}: $(ls "$E2E_DIR/out")"

# Every file and link the package holds, and nothing else.
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$E2E_DIR/contents"
{
  echo ./usr/bin/kirvo
  echo ./usr/lib/kirvo/kirvo
  echo ./usr/lib/kirvo/kirvo.hlp
  echo ./usr/share/applications/kirvo.desktop
  echo ./usr/share/doc/kirvo/changelog.gz
  echo ./usr/share/doc/kirvo/copyright
  for size in 16 24 32 48 64 128 256; do echo "./usr/share/icons/hicolor/${size}x${size}/apps/kirvo.png"; done
  echo ./usr/share/lintian/overrides/kirvo
  echo ./usr/share/man/man1/kirvo.1.gz
  echo ./usr/share/metainfo/org.example.kirvo.metainfo.xml
} | sort >"$E2E_DIR/expected"
echo "--- ${deb##*/}:"
dpkg-deb -c "$deb" | tee "$E2E_DIR/listing"
diff -u "$E2E_DIR/expected" "$E2E_DIR/contents" || fail "the package's files differ from the expected layout"
grep -q -F './usr/bin/kirvo -> ../lib/kirvo/kirvo' "$E2E_DIR/listing" || fail "/usr/bin/kirvo is not a link to the program"

echo "--- control:"
dpkg-deb -f "$deb"
[ "$(dpkg-deb -f "$deb" Package)" = kirvo ] || fail "the package is not called kirvo"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in libqt6widgets6 libqt6gui6 libicu fonts-ipafont-gothic qt6-qpa-plugins libc6; do
  grep -q -F "$dependency" <<<"$depends" || fail "Depends lacks $dependency: $depends"
done

echo "--- lintian:"
lintian --fail-on error,warning --info "$deb" 2>&1 | tee "$E2E_DIR/lintian.log" \
  || fail "lintian reports an error or a warning"
echo "(end of lintian output)"

root="$E2E_DIR/root"
dpkg -x "$deb" "$root"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.kirvo.metainfo.xml" \
  || fail "appstreamcli refuses the metainfo"
desktop-file-validate "$root/usr/share/applications/kirvo.desktop" || fail "desktop-file-validate refuses the entry"

# A system install: nobody but root writes the program folder. The user is nobody when the tests run as root.
folder="$root/usr/lib/kirvo"
kirvo="$root/usr/bin/kirvo"
home="$E2E_DIR/home"
data="$home/.local/share/kirvo"
mkdir -p "$home/run"
chmod 700 "$home" "$home/run"
chmod 755 "$E2E_DIR"
chmod -R a-w "$root"
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  as_user=()
fi
user_env=(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$home/run")

[ "$("${as_user[@]}" "${user_env[@]}" DISPLAY= "$kirvo" --version)" = "kirvo $version" ] \
  || fail "the installed program does not tell its version"

start_display
# First start of a fresh account: the people dialog comes first; the user's data folder is made.
start_program "${as_user[@]}" "${user_env[@]}" "$kirvo"
win=$(wait_window '^表示人選択$' 30) || fail "the installed program showed no people dialog"
send_keys "$win" Escape
wait_exit "$pid" 10 || fail "cancelling the people dialog did not end the program"
[ -d "$data" ] || fail "the user's data folder $data was not made"
[ "$(ls -A "$folder" | tr '\n' ' ')" = "kirvo kirvo.hlp " ] || fail "files appeared beside the program: $(ls -A "$folder")"

# An administrator's settings beside the program seed the user's first settings and are never written.
chmod u+w "$folder"
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
chmod a-w "$folder" "$folder/kirvo.ini"
cp "$folder/kirvo.ini" "$E2E_DIR/admin.ini"
start_program "${as_user[@]}" "${user_env[@]}" "$kirvo"
first=$pid
win=$(wait_window '^バイオリズム （A）$' 30) || fail "the installed program showed no main window"
[ -e "$data/kirvo.lock" ] || fail "no lock in the user's data folder"
code=$(run_to_end "${as_user[@]}" "${user_env[@]}" "$kirvo")
[ "$code" -eq 0 ] || fail "the second copy ended with code $code"
[ "$(count_windows '^バイオリズム')" -eq 1 ] || fail "the second start showed a window"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
send_keys "$win" ctrl+q
wait_exit "$first" 10 || fail "the program did not end after its window closed"
grep -q '^GraphWidth=' "$data/kirvo.ini" || fail "closing did not write kirvo.ini into $data"
grep -q '^BirthDay=1965/4/3,A' "$data/kirvo.ini" || fail "the administrator's settings did not seed the user's"
cmp -s "$folder/kirvo.ini" "$E2E_DIR/admin.ini" || fail "the settings beside the program changed"
[ "$(ls -A "$folder" | tr '\n' ' ')" = "kirvo kirvo.hlp kirvo.ini " ] || fail "files appeared beside the program: $(ls -A "$folder")"
[ ! -e "$data/kirvo.lock" ] || fail "the lock was left behind"
echo "package: ok"

#!/usr/bin/env bash
# Printing through the print dialog to a PDF file (the printer every desktop has): one page.
source "$(dirname "$0")/lib.sh"
start_display

folder=$(make_program_folder)
mkdir -p "$E2E_DIR/home"
printf '[kirvo]\r\n\r\nBirthDay=1965/4/3,A\r\nBirthDay=1970/11/23,B\r\nTaskTray=False\r\n' >"$folder/kirvo.ini"
start_program --chdir="$E2E_DIR/home" HOME="$E2E_DIR/home" "$folder/kirvo"
win=$(wait_window '^バイオリズム （A, B）$' 30) || fail "no main window"
send_keys "$win" alt+f
sleep 0.5
xdotool key p
dialog=$(wait_window '^印刷$' 30) || fail "the print dialog did not open"
send_keys "$dialog" Return
pdf="$E2E_DIR/home/print.pdf"
for i in $(seq 1 100); do
  [ -s "$pdf" ] && pdfinfo "$pdf" >/dev/null 2>&1 && break
  sleep 0.1
done
pdfinfo "$pdf" >/dev/null 2>&1 || fail "no PDF was printed"
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = "1" ] || fail "the printout has $pages pages, not 1"
send_keys "$win" ctrl+q
wait_exit "$pid" 10 || fail "the program did not end"
echo "print to PDF: ok"

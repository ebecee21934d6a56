#!/usr/bin/env bash
# The code that reads and writes files reports what happened and never asks the user itself: none of it may
# take a window or show a message box. Forms and windows decide what to show.
# Usage: file_layers.sh <source dir>
set -euo pipefail
cd "$1"
shopt -s failglob
files=(app/*.h app/*.cpp platform/core/* graph/core/* groups/core/* people/core/*)
pattern='#include *[<"](.*/)?(MsgBox|FileRetry|CommonDialogs|QWidget|QMessageBox|QDialog|QtWidgets)[.">]|\bQWidget\b|\bMsgBox::|\bFileRetry::'
if found="$(grep -nE "$pattern" "${files[@]}")"; then
  echo "File layers must report, not ask:" >&2
  echo "$found" >&2
  exit 1
fi
echo "checked ${#files[@]} files: no window, no message box"

#!/usr/bin/env bash
# The code that reads and writes files reports what happened and never asks the user itself: none of it may
# take a window or show a message box. Forms and windows decide what to show.
# Usage: file_layers.sh <source dir>
set -euo pipefail
cd "$1"
files=(
  app/*.h app/*.cpp
  people/basUserInfo.* people/cUserName.*
  groups/basGroup.* groups/GroupMembers.* groups/BinaryFields.* groups/PeopleSource.h
  graph/CurveValues.* graph/CycleModel.* graph/CriticalDays.* graph/CalendarFile.*
  platform/SafeFile.*
)
pattern='#include *[<"](.*/)?(MsgBox|FileRetry|CommonDialogs|QWidget|QMessageBox|QDialog|QtWidgets)[.">]|\bQWidget\b|\bMsgBox::|\bFileRetry::'
if found="$(grep -nE "$pattern" "${files[@]}")"; then
  echo "File layers must report, not ask:" >&2
  echo "$found" >&2
  exit 1
fi
echo "checked ${#files[@]} files: no window, no message box"

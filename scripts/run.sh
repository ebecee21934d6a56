#!/usr/bin/env bash
# Installs what is missing, builds, and starts kirvo. Without a display it starts under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/kirvo"
fi
echo "No display found: starting kirvo on a virtual X display (Xvfb)."
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/build/kirvo"

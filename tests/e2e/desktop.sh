# A small real desktop for the end-to-end scripts, as a user has it: Xvfb, a private session bus, a window
# manager (openbox), a notification area and a notification daemon (dunst). Source it after lib.sh.
#
# Two kinds of notification area:
#   xembed  trayer: the program's icon is a window of its own inside the panel; the program draws its
#           balloons itself.
#   sni     xfce4-panel's notification area, which owns the StatusNotifierWatcher: the icon goes over D-Bus
#           and the panel draws it and its menu; balloons go to the notification daemon.
# The program decides once, when it starts, which kind it talks to: start it after desktop_start.

DESK_KIND=""
DESK_PANEL=""

# Polls a command every 0.1 s for up to $1 seconds.
desk_wait() {
  local seconds="$1" i
  shift
  for i in $(seq 1 $((seconds * 10))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

desk_has_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

desk_no_name() { ! desk_has_name "$1"; }

# A session bus of the test's own, started after HOME is private: the bus starts the panel's settings
# service with its own environment, and nothing else may be started behind the test's back.
desk_start_bus() {
  local d="$E2E_DIR/desktop" out
  mkdir -p "$d/services"
  printf '[D-BUS Service]\nName=org.xfce.Xfconf\nExec=/usr/lib/x86_64-linux-gnu/xfce4/xfconf/xfconfd\n' \
    >"$d/services/org.xfce.Xfconf.service"
  cat >"$d/session.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$XDG_RUNTIME_DIR/bus</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$d/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/>
  </policy>
</busconfig>
EOF
  out=$(dbus-daemon --config-file="$d/session.conf" --fork --print-address=1 --print-pid=1) ||
    fail "the session bus did not start"
  export DBUS_SESSION_BUS_ADDRESS="$(sed -n 1p <<<"$out")"
  E2E_PIDS+=("$(sed -n 2p <<<"$out")")
}

# One panel along the top edge holding only the notification area; with its settings present the panel
# asks nothing at its first start.
desk_seed_panel() {
  local dir="$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
  mkdir -p "$dir"
  cat >"$dir/xfce4-panel.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF
}

desk_watcher_ready() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:IsStatusNotifierHostRegistered 2>/dev/null | grep -q 'boolean true'
}

# trayer is ready once its panel is up and it owns the tray selection (an off-screen window of its own).
desk_trayer_ready() {
  local tree
  tree="$(xwininfo -root -tree 2>/dev/null)" || return 1
  grep -q '"panel"' <<<"$tree" && grep -q '"trayer": ()  10x10+-100+-100' <<<"$tree"
}

desk_panel_start() {
  case "$DESK_KIND" in
    xembed)
      trayer --edge bottom --align right --width 10 --height 32 >/dev/null 2>&1 &
      DESK_PANEL=$!
      E2E_PIDS+=("$DESK_PANEL")
      desk_wait 20 desk_trayer_ready || fail "trayer did not start"
      ;;
    sni)
      xfce4-panel --disable-wm-check --sm-client-disable >>"$E2E_DIR/desktop/panel.log" 2>&1 &
      DESK_PANEL=$!
      E2E_PIDS+=("$DESK_PANEL")
      desk_wait 20 desk_watcher_ready || fail "the panel's notification area did not start"
      ;;
  esac
}

# Kills the panel as a crash would and waits until its notification area is gone.
desk_panel_kill() {
  kill -KILL "$DESK_PANEL" 2>/dev/null || true
  wait "$DESK_PANEL" 2>/dev/null || true
  case "$DESK_KIND" in
    xembed) desk_wait 10 eval '! desk_trayer_ready' || fail "trayer did not go" ;;
    sni) desk_wait 10 desk_no_name org.kde.StatusNotifierWatcher || fail "the panel's notification area did not go" ;;
  esac
}

# Starts the desktop of a kind (xembed or sni) with a private home, runtime folder and session bus.
desktop_start() {
  DESK_KIND="$1"
  local d="$E2E_DIR/desktop"
  mkdir -p "$d"/{home,config,cache,data,runtime}
  chmod 700 "$d/runtime"
  export HOME="$d/home" XDG_CONFIG_HOME="$d/config" XDG_CACHE_HOME="$d/cache" XDG_DATA_HOME="$d/data"
  export XDG_RUNTIME_DIR="$d/runtime" NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
  unset SESSION_MANAGER DESKTOP_STARTUP_ID XDG_CURRENT_DESKTOP WAYLAND_DISPLAY
  start_display
  desk_start_bus
  openbox --sm-disable >"$d/openbox.log" 2>&1 &
  E2E_PIDS+=("$!")
  desk_wait 20 eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "openbox did not start"
  [ "$DESK_KIND" = sni ] && desk_seed_panel
  desk_panel_start
  # A left click on a balloon invokes its default action, as on the desktops that show them.
  mkdir -p "$XDG_CONFIG_HOME/dunst"
  printf '[global]\n    origin = top-right\n    offset = 10x50\n    mouse_left_click = do_action, close_current\n' \
    >"$XDG_CONFIG_HOME/dunst/dunstrc"
  dunst >"$d/dunst.log" 2>&1 &
  E2E_PIDS+=("$!")
  desk_wait 20 desk_has_name org.freedesktop.Notifications || fail "dunst did not start"
}

# The owner of a bus name, as a process id.
desk_name_pid() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" 2>/dev/null | awk '/uint32/ {print $2}'
}

# The XEmbed icon: the program's window inside trayer's panel.
desk_xembed_icon() {
  xwininfo -root -tree 2>/dev/null | awk '
    { depth = match($0, /[^ ]/) }
    /"panel": / { panel = depth; next }
    panel && depth <= panel { exit }
    panel && /"kirvo": \("kirvo"/ { print $1; exit }'
}

# True when the icon of process $1 sits in the notification area: its window in the panel, or its
# StatusNotifierItem registered with the watcher and drawn by the panel (the panel then knows its id).
icon_present() {
  local item
  case "$DESK_KIND" in
    xembed) [ -n "$(desk_xembed_icon)" ] ;;
    sni)
      for item in $(dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems 2>/dev/null | sed -n 's/^ *string "\([^/]*\).*"$/\1/p'); do
        [ "$(desk_name_pid "$item")" = "$1" ] &&
          xfconf-query -c xfce4-panel -p /plugins/plugin-1/known-items 2>/dev/null | grep -qx kirvo && return 0
      done
      return 1
      ;;
  esac
}

# Waits up to 20 seconds for the icon of process $1; fails saying when ($2) otherwise.
expect_icon() {
  desk_wait 20 icon_present "$1" || fail "no icon in the notification area $2"
}

desk_geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
    /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} END {print x, y, w, h}'
}

# The middle of the icon on the screen. The panel of the sni kind draws its only icon in the notification
# area plugin's window (a window of its helper process inside the panel's top 32 pixels).
desk_icon_middle() {
  local w x y width height
  if [ "$DESK_KIND" = xembed ]; then
    read -r x y width height < <(desk_geometry "$(desk_xembed_icon)")
    echo "$((x + width / 2)) $((y + height / 2))"
    return
  fi
  for w in $(xdotool search --onlyvisible --name '^wrapper-2.0$' 2>/dev/null); do
    read -r x y width height < <(desk_geometry "$w")
    if [ "$y" -lt 32 ] && [ "$width" -gt 10 ]; then
      echo "$((x + height / 2)) $((y + height / 2))"
      return
    fi
  done
  fail "no notification area plugin in the panel"
}

# Clicks the icon with mouse button $1, $2 times, as a user does; the pointer then leaves the panel so its
# tooltip covers nothing.
icon_click() {
  local place
  place=$(desk_icon_middle)
  xdotool mousemove $place sleep 0.2 click --repeat "${2:-1}" --delay 120 "$1"
  sleep 0.3
  xdotool mousemove 640 700
}

# The balloon: Qt's own window beside the XEmbed icon (a window of the program's directly under the root,
# not the panel's child), or dunst's window.
desk_balloon() {
  if [ "$DESK_KIND" = xembed ]; then
    xwininfo -root -tree 2>/dev/null |
      awk '/^     0x[0-9a-f]+ "kirvo": \("kirvo" "kirvo"\)/ && $0 !~ / 1x1\+/ {print $1; exit}'
  else
    xdotool search --onlyvisible --classname '^Dunst$' 2>/dev/null | head -n 1
  fi
}

# Clicks the middle of the balloon once it is up.
balloon_click() {
  local x y width height
  desk_wait 20 eval '[ -n "$(desk_balloon)" ]' || fail "no balloon appeared"
  read -r x y width height < <(desk_geometry "$(desk_balloon)")
  xdotool mousemove $((x + width / 2)) $((y + height / 2)) sleep 0.2 click 1
  sleep 0.3
  xdotool mousemove 640 700
}

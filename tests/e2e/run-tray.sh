#!/usr/bin/env bash
# Watches Vantrel's tray icon under Wine: at rest, while clicking (Home) and after End, in a
# fresh prefix on a private Xvfb display. Everything runs in a Wine virtual desktop, whose
# taskbar has a notification area at its right end; the checks look at that area's pixels:
#   - at rest it shows an icon (dark outline pixels on the taskbar's background);
#   - after Home the picture changes to one with red (the frame of image 1), and while
#     clicking goes on it also comes back to the rest picture (the animation alternates);
#   - after End the rest picture returns and stays;
#   - after Vantrel is closed its icon has left the tray.
# (Without a virtual desktop Wine shows tray icons in a small "Wine System Tray" window of
# its own, which draws a changed icon over the old one without erasing it: a picture with
# transparent parts, image 0, then never hides the red frame of image 1.)
#
#   tests/e2e/run-tray.sh <Vantrel.exe> <e2e_tray.exe> [win32|win64]
#
# Screenshots (whole screen and the tray window enlarged) go to $VANTREL_SHOTS, by default
# /tmp/vantrel-shots, named tray-<arch>-<step>.png. Exits 0 when every check passed, 77
# (skipped) where this machine cannot run the width. The prefix is a copy of the one booted in
# $WS_TEMPLATE when that is set, else booted here.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../../tools/wine-session
source "$root/tools/wine-session"

if [ $# -lt 2 ]; then
  echo "usage: $0 <Vantrel.exe> <e2e_tray.exe> [win32|win64]" >&2
  exit 2
fi
app=$1 helper=$2
ws_need_files run-tray "$app" "$helper"
arch=${3:-$(ws_pe_arch "$app")} || exit 2
ws_same_arch run-tray "$arch" "$helper"
shots=${VANTREL_SHOTS:-${TMPDIR:-/tmp}/vantrel-shots}
mkdir -p "$shots" || exit 2

ws_session "$arch"
ws_shell_desktop run-tray
work=$WS_DIR/tray
mkdir -p "$work" "$WS_DRIVE_C/e2e"
cp "$app" "$WS_DRIVE_C/e2e/Vantrel.exe"
cp "$helper" "$WS_DRIVE_C/e2e/e2e_tray.exe"

# shellcheck source=script-kit.sh
source "$here/script-kit.sh"
finish() {
  echo "$passed passed, $failed failed (screenshots in $shots)"
  [ "$failed" = 0 ]
  exit
}

start_tray_helper 240

hear 90 && [ "$reply" = ready ]
check $? "Vantrel starts and serves its hotkeys" "helper said '${reply:-nothing}'"
[ "$failed" = 0 ] || finish

# The notification area: the right end of the taskbar, along the desktop's bottom edge,
# as WxH+X+Y on the screen.
tray_geometry() {
  local w h x y
  read -r w h x y < <(xwininfo -display "$DISPLAY" -name 'shell - Wine desktop' 2>/dev/null |
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
         /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {if (w) print w, h, x, y}')
  [ -n "${w:-}" ] && echo "64x20+$((x + w - 64))+$((y + h - 20))"
}
geometry=$(tray_geometry)
[ -n "$geometry" ]
check $? "Wine shows its virtual desktop" "no window named 'shell - Wine desktop'"
[ "$failed" = 0 ] || finish

# shot <file>: the tray window's pixels now.
shot() {
  import -display "$DISPLAY" -window root "$work/full.png" 2>/dev/null &&
    convert "$work/full.png" -crop "$geometry" +repage "$1"
}
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != 0 ]; }
# Pixels of a colour class in an image: dark (the icon's outline) or red (image 1's frame).
count() {
  local fx
  case $1 in
    dark) fx='(r<0.35&&g<0.35&&b<0.35)?1:0' ;;
    red) fx='(r>0.6&&g<0.3&&b<0.3)?1:0' ;;
  esac
  convert "$2" -fx "$fx" -format '%[fx:round(mean*w*h)]' info:
}
keep() {  # keep <step> <crop>: the screen and the tray enlarged, for a person to look at
  cp "$work/full.png" "$shots/tray-$arch-$1-screen.png"
  convert "$2" -filter point -resize 800% "$shots/tray-$arch-$1.png"
}

# At rest: an icon, and it holds still.
shot "$work/rest.png"
keep rest "$work/rest.png"
dark=$(count dark "$work/rest.png")
[ "$dark" -ge 20 ]
check $? "at rest the tray shows the mouse icon" "$dark dark pixels in the tray window"
red=$(count red "$work/rest.png")
[ "$red" = 0 ]
check $? "at rest the icon has no red frame" "$red red pixels"

# Clicking: image 1 shows within a few periods, and the picture alternates.
say home
hear 10 && [ "$reply" = "ok home" ]
check $? "Home is pressed" "helper said '${reply:-nothing}'"
seen_red=1 seen_back=1
for ((i = 0; i < 200; i++)); do
  shot "$work/now.png" || continue
  if [ $seen_red != 0 ] && differ "$work/now.png" "$work/rest.png" &&
     [ "$(count red "$work/now.png")" -ge 20 ]; then
    seen_red=0
    keep clicking "$work/now.png"
  elif [ $seen_red = 0 ] && ! differ "$work/now.png" "$work/rest.png"; then
    seen_back=0
    keep clicking-rest-frame "$work/now.png"
    break
  fi
  sleep 0.05
done
check $seen_red "while clicking the tray shows the red-framed image"
check $seen_back "while clicking the icon returns to the rest image (it alternates)"

# After End: the rest image comes back and stays there for several periods.
say end
hear 10 && [ "$reply" = "ok end" ]
check $? "End is pressed" "helper said '${reply:-nothing}'"
back=1
for ((i = 0; i < 100; i++)); do
  shot "$work/now.png" && ! differ "$work/now.png" "$work/rest.png" && { back=0; break; }
  sleep 0.05
done
check $back "after End the rest image is shown"
# An absence can only be watched for: 1.5 s is five animation periods.
still=0
end_at=$((SECONDS + 2))
while [ $SECONDS -lt $end_at ]; do
  shot "$work/now.png" && differ "$work/now.png" "$work/rest.png" && { still=1; break; }
  sleep 0.1
done
keep stopped "$work/now.png"
check $still "after End the icon stays at rest (no animation)"

# Closing: the icon leaves the tray.
say quit
hear 30 && [ "$reply" = "exited 0" ]
check $? "Vantrel ends on WM_CLOSE with exit code 0" "helper said '${reply:-nothing}'"
gone=1
for ((i = 0; i < 50; i++)); do
  shot "$work/now.png" && [ "$(count dark "$work/now.png")" -lt 20 ] && { gone=0; break; }
  sleep 0.1
done
keep closed "$work/now.png"
check $gone "after Vantrel has ended its icon is gone from the tray"
finish

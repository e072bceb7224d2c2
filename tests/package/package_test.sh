#!/usr/bin/env bash
# What a user gets, tried as a user would: each zip unpacked into a fresh
# folder, its designer and viewer started on the example and ended, its
# zarnet-cli run; and the setup program installed silently into a fresh
# prefix, used from a folder the user cannot write, and uninstalled silently
# (where 32-bit programs cannot run, its copy for the x86_64 programs, which
# the test builds' packages hold).
#   tests/package/package_test.sh DIST VERSION   (run under Xvfb)
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
dist="$(cd "$1" && pwd)" || exit 1
version="$2"
. "$ROOT/scripts/wine-env.sh"
zarnet_wine_choose || exit 1
work="$(mktemp -d)"
cleanup() {
  [ -n "${installed:-}" ] && chattr -i "$installed" 2>/dev/null
  [ -n "${locked:-}" ] && chattr -i "$locked" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

dos() { echo "Z:${1//\//\\}"; }

# %APPDATA%\Zarnet of the prefix's user.
user_data() { echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Zarnet"; }

# Starts a program with a design, waits for its window, ends it the way the
# user closes a window, and expects it gone within the time with exit code 0.
# IMAGE names the program that shows the window when EXE starts another.
run_and_close() {  # run_and_close WHAT EXE WINDOW-NAME ARGS...
  local what="$1" exe="$2" window="$3" image="${IMAGE:-$(basename "$2")}"
  shift 3
  "$ZARNET_WINE" "$exe" "$@" >"$work/out" 2>&1 &
  local pid=$! shown=0
  for _ in $(seq 1 300); do
    if xdotool search --name "$window" >/dev/null 2>&1; then shown=1; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ "$shown" != 1 ]; then
    fail "$what: no window \"$window\""
    # What showed instead, and what the program wrote.
    xdotool search --onlyvisible --name '' getwindowname %@ 2>/dev/null | sed 's/^/  shown: /'
    sed 's/^/  output: /' "$work/out" | head -20
    import -window root "$ROOT/build/package-test-no-window.png"
  fi
  [ "$shown" = 1 ] && [ -n "${WHILE_SHOWN:-}" ] && "$WHILE_SHOWN" "$window"
  # Closed as the user closes it: a close message to its windows, sent again
  # while it is still there (a program busy at the first one may miss it).
  for _ in $(seq 1 10); do
    kill -0 "$pid" 2>/dev/null || break
    "$ZARNET_WINE" taskkill /im "$image" >/dev/null 2>&1
    for _ in $(seq 1 10); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$what: still running after it was closed"; import -window root "$ROOT/build/package-test-stuck.png"
    kill "$pid" 2>/dev/null
    return
  fi
  wait "$pid" || fail "$what: exit code $?"
}

# "Show Grid" from the designer's main menu: right button on an empty spot
# of the canvas (its lower right corner), then the second entry from the end.
show_grid() {  # show_grid WINDOW-NAME
  local w X Y WIDTH HEIGHT SCREEN
  w="$(xdotool search --name "$1" | head -1)"
  eval "$(xdotool getwindowgeometry --shell "$w")"
  sleep 1
  xdotool mousemove $((X + WIDTH - 4)) $((Y + HEIGHT - 4))
  sleep 0.3
  xdotool click 3
  # The menu must be open before RETURN, which alone would start a preview.
  local before after
  before="$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)"
  for _ in $(seq 1 30); do
    sleep 0.1
    after="$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)"
    [ "$after" -gt "$before" ] && break
  done
  sleep 0.5
  xdotool key Up Up Return
  # Until the menu has closed again.
  for _ in $(seq 1 30); do
    [ "$(xdotool search --onlyvisible --name '' 2>/dev/null | wc -l)" -le "$before" ] && break
    sleep 0.1
  done
  sleep 0.5
}
# Index 11 ("Show Grid") of a preferences file.
shown_grid() { od -An -td4 -j44 -N4 "$1" | tr -d ' '; }

archs=(win64)
[ "$ZARNET_WINE_RUNS32" = 1 ] && archs=(win32 win64)
for arch in "${archs[@]}"; do
  zip="$dist/zarnet-$version-$arch.zip"
  [ -f "$zip" ] || { fail "$arch: no $zip"; continue; }
  unpacked="$work/$arch"
  mkdir -p "$unpacked" && (cd "$unpacked" && unzip -q "$zip")
  dir="$unpacked/zarnet-$version-$arch"
  for f in Zarnet.exe Pelmo.exe zarnet-assoc.exe zarnet-cli.exe example.zrf README.txt LICENSE.txt; do
    [ -f "$dir/$f" ] || fail "$arch zip: no $f"
  done
  for f in Zarnet.exe Pelmo.exe zarnet-assoc.exe zarnet-cli.exe; do
    [ "$(zarnet_pe_arch "$dir/$f")" = "$arch" ] || fail "$arch zip: $f is not a $arch program"
  done
  # The icons Explorer shows, by resource number: each program's own, and
  # the designer's icon 2 that the setup program names for design files.
  for entry in "Zarnet.exe|1|32 16" "Zarnet.exe|2|48 32 24 16" "Pelmo.exe|1|32 16"; do
    IFS='|' read -r exe icon sizes <<<"$entry"
    got="$(wrestool -x --type=14 --name="$icon" "$dir/$exe" 2>/dev/null | icotool -l - 2>/dev/null |
      sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')"
    [ "$got" = "$sizes " ] || fail "$arch zip: $exe's icon $icon has the sizes '$got', not '$sizes'"
  done
  # A prefix of the package test's own, kept between runs.
  export ZARNET_BUILD="$ROOT/build/package-test-$arch"
  mkdir -p "$ZARNET_BUILD"
  zarnet_wine_env "$dir/Zarnet.exe" || { fail "$arch: no Wine prefix"; continue; }

  out="$("$ZARNET_WINE" "$dir/zarnet-cli.exe" --version 2>/dev/null | tr -d '\r')"
  [ "$out" = "zarnet-cli $version" ] || fail "$arch: zarnet-cli --version printed '$out'"
  "$ZARNET_WINE" "$dir/zarnet-cli.exe" check "$(dos "$dir/example.zrf")" >/dev/null 2>&1 ||
    fail "$arch: zarnet-cli check of the example"
  for t in "Dialog with OK and Cancel" "Settings with two tabs" "Main window with splitter"; do
    [ -f "$dir/templates/$t.zrf" ] || { fail "$arch zip: no template '$t'"; continue; }
    "$ZARNET_WINE" "$dir/zarnet-cli.exe" check "$(dos "$dir/templates/$t.zrf")" >/dev/null 2>&1 ||
      fail "$arch: zarnet-cli check of the template '$t'"
  done

  run_and_close "$arch designer" "$dir/Zarnet.exe" "example.zrf   client" "$(dos "$dir/example.zrf")"
  # A copy unpacked anywhere keeps its settings beside it.
  [ -f "$dir/preferences.zrp" ] || fail "$arch designer: no preferences beside the program"
  run_and_close "$arch viewer" "$dir/Pelmo.exe" "Zarnet preview" "$(dos "$dir/example.zrf")"
  # The same copy in a folder the user cannot write (root ignores permission
  # bits; an immutable folder stops it too): settings go to the user's folder.
  rm -f "$dir/preferences.zrp" "$(user_data)/preferences.zrp"
  locked="$dir"
  chattr +i "$dir" || fail "$arch: chattr +i"
  WHILE_SHOWN=show_grid run_and_close "$arch designer, read-only folder" "$dir/Zarnet.exe" \
    "example.zrf   client" "$(dos "$dir/example.zrf")"
  chattr -i "$dir"
  locked=""
  [ -f "$dir/preferences.zrp" ] && fail "$arch designer, read-only folder: wrote beside the program"
  if [ -f "$(user_data)/preferences.zrp" ]; then
    [ "$(shown_grid "$(user_data)/preferences.zrp")" = 1 ] ||
      fail "$arch designer, read-only folder: the grid change was not kept: $(od -An -td4 "$(user_data)/preferences.zrp" | tr -s " ")"
  else
    fail "$arch designer, read-only folder: no preferences in $(user_data)"
  fi
  rm -f "$(user_data)/preferences.zrp"
  wineserver -k 2>/dev/null
done

# The shipped setup program holds i686 programs: it runs only where they do.
setup="$dist/zarnet-$version-setup.exe"
[ "$ZARNET_WINE_RUNS32" = 1 ] || setup="$dist/zarnet-$version-setup-win64.exe"
if [ -f "$setup" ]; then
  export ZARNET_BUILD="$work/setup" ZARNET_WINEPREFIX="$work/setup/prefix"
  mkdir -p "$ZARNET_BUILD"
  zarnet_wine_env "$setup" || fail "setup: no fresh prefix"
  c="$WINEPREFIX/drive_c"
  installed="$c/Program Files/Zarnet"
  menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zarnet"
  own="$(user_data)"
  "$ZARNET_WINE" "$setup" /S
  wineserver -w
  for f in Zarnet.exe Pelmo.exe zarnet-assoc.exe zarnet-cli.exe example.zrf README.txt LICENSE.txt uninstall.exe; do
    [ -f "$installed/$f" ] || fail "setup: no $f installed"
  done
  [ "$(ls "$installed/templates" | grep -c '\.zrf$')" = 3 ] || fail "setup: not the three templates"
  for f in Zarnet.lnk Pelmo.lnk; do [ -f "$menu/$f" ] || fail "setup: no Start menu entry $f"; done
  reg_value() {  # reg_value KEY [VALUE]: the data, or nothing
    local args=("$1")
    if [ -n "${2:-}" ]; then args+=(/v "$2"); else args+=(/ve); fi
    "$ZARNET_WINE" reg query "${args[@]}" 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'
  }
  open_key='HKCR\Applications\Zarnet.exe\shell\open\command'
  exts_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.zrf'
  [ "$(reg_value "$open_key")" = '"C:\Program Files\Zarnet\Zarnet.exe" "%1"' ] ||
    fail "setup: open command is '$(reg_value "$open_key")'"
  [ "$(reg_value "$exts_key" Application)" = Zarnet.exe ] || fail "setup: .zrf not given to Zarnet.exe"
  reg_has() { "$ZARNET_WINE" reg query "$@" >/dev/null 2>&1; }  # reg_has KEY [/v VALUE]

  # The .zrf file type: KEY|VALUE (empty for the default)|DATA.
  classes='HKLM\Software\Classes'
  progid="$classes"'\Zarnet.Design.1'
  designer='"C:\Program Files\Zarnet\Zarnet.exe" "%1"'
  file_type=(
    "$classes\.zrf||Zarnet.Design.1"
    "$progid||Zarnet design"
    "$progid\DefaultIcon||C:\Program Files\Zarnet\Zarnet.exe,-2"
    "$progid\shell||open"
    "$progid\shell\open\command||$designer"
    "$progid\shell\edit\command||$designer"
    "$progid\shell\preview\command||\"C:\Program Files\Zarnet\Pelmo.exe\" \"%1\""
  )
  file_type_written() {  # file_type_written WHEN
    local entry key value data
    for entry in "${file_type[@]}"; do
      IFS='|' read -r key value data <<<"$entry"
      [ "$(reg_value "$key" "$value")" = "$data" ] ||
        fail "$1: $key ${value:-(default)} is '$(reg_value "$key" "$value")', not '$data'"
    done
    reg_has "$classes\.zrf\OpenWithProgids" /v Zarnet.Design.1 ||
      fail "$1: Zarnet.Design.1 is not among .zrf's OpenWithProgids"
  }
  file_type_written setup

  # Installed where the user cannot write (root ignores permission bits).
  chattr +i "$installed"
  WHILE_SHOWN=show_grid run_and_close "installed designer" "$installed/Zarnet.exe" \
    "example.zrf   client" 'C:\Program Files\Zarnet\example.zrf'
  chattr -i "$installed"
  [ -f "$installed/preferences.zrp" ] && fail "installed designer wrote beside the program"
  if [ -f "$own/preferences.zrp" ]; then
    [ "$(shown_grid "$own/preferences.zrp")" = 1 ] || fail "installed designer: the grid change was not kept"
  else
    fail "installed designer: no preferences in $own"
  fi
  # Opened as a double-click opens it: by the file alone.
  cp "$installed/example.zrf" "$c/form.zrf"
  IMAGE=Zarnet.exe run_and_close "double-click on a design" start "form.zrf   client" /wait 'C:\form.zrf'

  "$ZARNET_WINE" "$installed/uninstall.exe" /S
  wineserver -w
  sleep 2 # the uninstaller finishes from a copy of itself
  wineserver -w
  [ -e "$installed" ] && fail "uninstall left $(ls "$installed" | tr '\n' ' ')"
  [ -e "$menu" ] && fail "uninstall left the Start menu entries"
  [ -e "$own" ] && fail "uninstall left $own"
  [ -n "$(reg_value "$open_key")" ] && fail "uninstall left $open_key"
  [ -n "$(reg_value "$exts_key" Application)" ] && fail "uninstall left $exts_key"
  # Nothing else was in .zrf: it goes with our keys.
  for key in "$classes\.zrf" "$progid"; do
    reg_has "$key" && fail "uninstall left $key"
  done

  # Another program takes .zrf over after the setup and lists itself among
  # its programs: the uninstaller leaves both, and takes ours.
  "$ZARNET_WINE" "$setup" /S
  wineserver -w
  file_type_written "setup again"
  "$ZARNET_WINE" reg add "$classes\.zrf" /ve /d Other.Design /f >/dev/null 2>&1
  "$ZARNET_WINE" reg add "$classes\.zrf\OpenWithProgids" /v Other.Design /d "" /f >/dev/null 2>&1
  "$ZARNET_WINE" "$installed/uninstall.exe" /S
  wineserver -w
  sleep 2
  wineserver -w
  [ "$(reg_value "$classes\.zrf")" = Other.Design ] ||
    fail "uninstall took .zrf from another program: '$(reg_value "$classes\.zrf")'"
  reg_has "$classes\.zrf\OpenWithProgids" /v Other.Design ||
    fail "uninstall took another program from .zrf's OpenWithProgids"
  reg_has "$classes\.zrf\OpenWithProgids" /v Zarnet.Design.1 &&
    fail "uninstall left Zarnet.Design.1 among .zrf's OpenWithProgids"
  reg_has "$progid" && fail "uninstall after another program's claim left $progid"
  wineserver -k 2>/dev/null
  installed=""
fi

[ "$failures" -eq 0 ] && echo "package test: passed" || echo "package test: $failures failed"
[ "$failures" -eq 0 ]

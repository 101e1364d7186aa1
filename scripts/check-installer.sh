#!/usr/bin/env bash
# Checks TrovexSetup.exe in a fresh Wine prefix: a silent install makes the program
# folder, the shared data folder with an empty error log, the settings key with
# every value the program reads, the App Paths entry (its "Path" ending in "\"), the shortcuts and the
# Add/Remove Programs entry; the installed program starts (main window and
# single-instance mutex), refuses a setup run meanwhile, and writes its settings
# when closed with WM_CLOSE, having moved the empty error log into the user's folder;
# a second install keeps the user's settings and error log; a silent
# uninstall removes the program, shortcuts and registry entries but keeps the
# history file and error log in the user's data folder (the installed empty log no
# user took goes), and an uninstall with no user files leaves nothing behind.
# Usage: scripts/check-installer.sh [BUILD]   (BUILD: build/windows, with TrovexSetup.exe
# and trovex-close.exe built). The prefix is BUILD/installer-check, made anew each
# time and removed when every check passed. Exit 0 when all passed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd) || exit 2
for file in TrovexSetup.exe trovex-close.exe Trovex.exe installer/trovex_identity.nsh; do
  [ -f "$build/$file" ] || { echo "check-installer.sh: $build/$file is missing (targets installer, trovex_close)"; exit 2; }
done
export WINEPREFIX="$build/installer-check"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d" WINEARCH=win64
export LC_ALL=C.UTF-8
unset DISPLAY
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k 2>/dev/null || true' EXIT

identity="$build/installer/trovex_identity.nsh"
title=$(sed -n 's/^!define TROVEX_TITLE "\(.*\)"$/\1/p' "$identity")
settings_key=$(sed -n 's/^!define TROVEX_SETTINGS_KEY "\(.*\)"$/\1/p' "$identity")
update_path=$(sed -n 's/^!define TROVEX_UPDATEPATH "\(.*\)"$/\1/p' "$identity")
app_paths='HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\Trovex.exe'
uninstall_entry="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$title"
settings="HKCU\\$settings_key"
dir_win="C:\\Program Files\\$title"
dir="$WINEPREFIX/drive_c/Program Files/$title"

failures=0
ok() { echo "ok   - $1"; }
fail() { echo "FAIL - $1"; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then ok "$what"; else fail "$what"; fi; }

# A key as .reg text in UTF-8 (empty when it does not exist).
reg_text() {
  local out="$WINEPREFIX/export.reg"
  rm -f "$out"
  "$wine" reg export "$1" "$out" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r'
}
key_exists() { "$wine" reg query "$1" >/dev/null 2>&1; }
# The value lines ("name"=... and @=... for the default) of a key, sorted.
value_lines() { reg_text "$1" | grep '^["@]' | LC_ALL=C sort; }
has_line() { grep -qxF -- "$2" <<<"$1"; }
# The shortcut file holds the Windows path (as UTF-16 text) and ends it there.
hex_bytes() { od -An -tx1 -v | tr -s ' \n' '  ' | sed 's/^ *//; s/ *$//'; }
link_targets() {
  [ -f "$1" ] && grep -qF -- "$(printf '%s' "$2" | iconv -t UTF-16LE | hex_bytes) 00 00" <<<" $(hex_bytes <"$1")"
}
same_file() { cmp -s "$1" "$2"; }
# uninstall.exe returns at once: the uninstall runs on from a copy of itself in the
# temporary folder. Waits until no Wine process is left, then (bounded, 30 s) until
# the uninstaller file is gone, so that a busy machine does not fail the checks.
wait_for_uninstaller() {
  "$wineserver" -w
  local waited=0
  while [ -e "$dir/uninstall.exe" ] && [ $waited -lt 60 ]; do sleep 0.5; waited=$((waited + 1)); done
}

start=$SECONDS
rm -rf "$WINEPREFIX"
"$root/scripts/prepare-wine-prefix.sh" >/dev/null || { echo "check-installer.sh: preparing the prefix failed"; exit 1; }
# The program is only started and closed here: Wine's null display driver is enough.
"$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
user_home="$WINEPREFIX/drive_c/users/$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)"
desktop_link="$user_home/Desktop/$title.lnk"
menu_link="$user_home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$title.lnk"
echo "fresh prefix ready after $((SECONDS - start)) s"
check "the prefix's Desktop is a folder of its own, not a link to the Linux home" \
  eval '[ -d "$user_home/Desktop" ] && [ ! -L "$user_home/Desktop" ]'

echo "== silent install =="
"$wine" "$build/TrovexSetup.exe" /S
check "TrovexSetup.exe /S ends with 0" [ $? -eq 0 ]
"$wineserver" -w
check "the program folder holds the built Trovex.exe" same_file "$dir/Trovex.exe" "$build/Trovex.exe"
check "the uninstaller is in the program folder" [ -f "$dir/uninstall.exe" ]
check "the help page is installed in Shift-JIS" eval 'iconv -f CP932 -t UTF-8 "$dir/Help/TrovexBeta.html" | grep -q "id=\"BinaryView\""'
check "the shared data folder exists" [ -d "$dir/data" ]
check "the data folder holds an empty error log" eval '[ -f "$dir/data/errlog.txt" ] && [ ! -s "$dir/data/errlog.txt" ]'

expected=""
while IFS='|' read -r kind name value; do
  if [ "$kind" = TrovexSettingString ]; then expected+="\"$name\"=\"\""$'\n'
  else expected+=$(printf '"%s"=dword:%08x' "$name" "$value")$'\n'; fi
done < <(sed -n 's/^ *!insertmacro \(TrovexSetting[A-Za-z]*\) "\([^"]*\)" \(.*\)$/\1|\2|\3/p' "$identity")
expected+="\"$update_path\"=\"${dir_win//\\/\\\\}\\\\\""$'\n'
expected=$(printf '%s' "$expected" | LC_ALL=C sort)
actual=$(value_lines "$settings")
check "the settings key holds every value the program reads, with its default" [ "$actual" = "$expected" ]
[ "$actual" = "$expected" ] || diff <(echo "$expected") <(echo "$actual")
check "the settings key has nine values" [ "$(grep -c . <<<"$actual")" -eq 9 ]

paths=$(value_lines "$app_paths")
check "App Paths names the installed Trovex.exe" has_line "$paths" "@=\"${dir_win//\\/\\\\}\\\\Trovex.exe\""
check "App Paths \"Path\" is the program folder ending in \"\\\"" has_line "$paths" "\"Path\"=\"${dir_win//\\/\\\\}\\\\\""
entry=$(value_lines "$uninstall_entry")
check "Add/Remove Programs lists the title" has_line "$entry" "\"DisplayName\"=\"$title\""
check "Add/Remove Programs has a silent uninstall" \
  has_line "$entry" "\"QuietUninstallString\"=\"\\\"${dir_win//\\/\\\\}\\\\uninstall.exe\\\" /S\""
check "the desktop shortcut named after the title points at Trovex.exe" link_targets "$desktop_link" "$dir_win\\Trovex.exe"
check "the Start menu entry points at Trovex.exe" link_targets "$menu_link" "$dir_win\\Trovex.exe"

echo "== the installed program =="
# "option" removed and "shut downmode" changed: the close must write the one back
# and keep the other.
"$wine" reg delete "$settings" /v option /f >/dev/null
"$wine" reg add "$settings" /v 'shut downmode' /t REG_DWORD /d 2 /f >/dev/null
"$wine" "$dir/Trovex.exe" &
program=$!
"$wine" "$build/trovex-close.exe" --check-only 60 >"$WINEPREFIX/closer.txt"
check "the installed program shows its main window and holds its mutex" [ $? -eq 0 ]
"$wine" "$build/TrovexSetup.exe" /S
check "the setup program refuses to run while the program runs (exit 2)" [ $? -eq 2 ]
"$wine" "$build/trovex-close.exe" 60 >>"$WINEPREFIX/closer.txt"
closed=$?
check "WM_CLOSE ends it with 0 and releases the mutex" [ $closed -eq 0 ]
# A program that did not close (say, stopped at a message box) is ended here.
[ $closed -eq 0 ] || "$wineserver" -k
wait "$program"
check "the program's own exit code is 0" [ $? -eq 0 ]
sed 's/^/     /' "$WINEPREFIX/closer.txt"
after=$(value_lines "$settings")
check "closing wrote the settings (the removed \"option\" is back)" has_line "$after" '"option"=dword:00000000'
check "closing kept the changed \"shut downmode\"" has_line "$after" '"shut downmode"=dword:00000002'
check "the settings key has nine values after the close" [ "$(grep -c . <<<"$after")" -eq 9 ]
user_dirs=("$dir"/data/*/)
check "the program made the user's data folder" [ -d "${user_dirs[0]}" ]
user_data=${user_dirs[0]}
check "the installed error log moved into the user's folder and stays empty" \
  eval '[ -f "$user_data/errlog.txt" ] && [ ! -s "$user_data/errlog.txt" ] && [ ! -e "$dir/data/errlog.txt" ]'

echo "== second install over the first =="
printf '[2026/12/07 12:34:56]\r\n OpenProcessToken Error\r\n' >"$user_data/errlog.txt"
"$wine" "$build/TrovexSetup.exe" /S
check "a second TrovexSetup.exe /S ends with 0" [ $? -eq 0 ]
"$wineserver" -w
check "it keeps the user's settings" [ "$(value_lines "$settings")" = "$after" ]
check "it keeps the user's error log" \
  [ "$(cat "$user_data/errlog.txt")" = $'[2026/12/07 12:34:56]\r\n OpenProcessToken Error\r' ]

echo "== silent uninstall with a history file and an error log =="
history="$user_data/20260101 120000.txd"
printf '[Trovex]\r\nname=kept\r\n' >"$history"
printf 'an entry\r\n' >"$user_data/errlog.txt"
"$wine" "$dir/uninstall.exe" /S
check "uninstall.exe /S ends with 0" [ $? -eq 0 ]
wait_for_uninstaller
check "Trovex.exe is removed" [ ! -e "$dir/Trovex.exe" ]
check "the uninstaller is removed" [ ! -e "$dir/uninstall.exe" ]
check "the help page and its folder are removed" [ ! -e "$dir/Help" ]
check "the desktop shortcut is removed" [ ! -e "$desktop_link" ]
check "the Start menu entry is removed" [ ! -e "$menu_link" ]
check "the App Paths entry is removed" eval '! key_exists "$app_paths"'
check "the settings key is removed" eval '! key_exists "$settings"'
check "the Add/Remove Programs entry is removed" eval '! key_exists "$uninstall_entry"'
check "the history file is kept as it was" [ "$(cat "$history" 2>/dev/null)" = $'[Trovex]\r\nname=kept\r' ]
check "the error log is kept" [ -f "$user_data/errlog.txt" ]
check "the empty error log the setup program put in data\\ again is removed" [ ! -e "$dir/data/errlog.txt" ]

echo "== install and silent uninstall with no user files =="
rm -f "$history" "$user_data/errlog.txt"
"$wine" "$build/TrovexSetup.exe" /S
check "TrovexSetup.exe /S ends with 0" [ $? -eq 0 ]
"$wineserver" -w
"$wine" "$dir/uninstall.exe" /S
check "uninstall.exe /S ends with 0" [ $? -eq 0 ]
wait_for_uninstaller
check "nothing is left of the program folder" [ ! -e "$dir" ]

"$wineserver" -k 2>/dev/null
echo "check-installer.sh: $failures failed, $((SECONDS - start)) s"
if [ "$failures" -eq 0 ]; then
  rm -rf "$WINEPREFIX"
  exit 0
fi
echo "check-installer.sh: the prefix is kept for a look: $WINEPREFIX"
exit 1

#!/usr/bin/env bash
# The Windows installer under Wine, in a new Wine prefix of its own: a silent
# install puts the program, the uninstaller, the Start-menu shortcut and the
# Add/Remove Programs entry in place; installing again over it works; the
# silent uninstall (the entry's QuietUninstallString, as Windows runs it)
# keeps the user's configuration and backups and leaves nothing else of the
# installer's behind: drive C: and the registry (HKLM and HKCU Software) are
# compared before the install and after the uninstall.
#
#   tests/windows/installer_test.sh SETUP_EXE
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "usage: $0 SETUP_EXE" >&2
  exit 2
fi
setup=$(realpath "$1")
tmp=$(mktemp -d)
# TMPDIR: Wine's server keeps its socket folder there, removed with ours.
export WINEPREFIX="$tmp/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" TMPDIR="$tmp"
# Nothing of the build's own Wine set-up: only what the installer put there.
unset WINEARCH WINEPATH QT_PLUGIN_PATH
trap 'wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\RZ-V70 Writer'
c="$WINEPREFIX/drive_c"
dir="$c/Program Files/RZ-V70 Writer"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/RZ-V70 Writer"
failed=0
fail() { echo "installer test: $*" >&2; failed=1; }

# A file listing of C: and the Software registry, as plain text. NSIS's
# uninstaller runs from a copy of itself in the user's temporary folder
# (~nsuN.tmp\Un.exe), which is not removed before the next clean-up of that
# folder: that copy, and nothing else, is left out.
snapshot() {
  (cd "$c" && find . | LC_ALL=C sort | grep -Ev '^\./users/[^/]+/Temp/~nsu[^/]*\.tmp(/[^/]+\.exe)?$') >"$tmp/$1.files"
  local hive
  for hive in HKLM HKCU; do
    wine reg export "$hive\\Software" "$(winepath -w "$tmp/$1.$hive.reg")" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$tmp/$1.$hive.reg" | tr -d '\r' >"$tmp/$1.$hive.txt"
  done
  wineserver -w
}

wineboot --init >/dev/null 2>&1
wineserver -w
snapshot before

for round in install reinstall; do
  wine "$setup" /S || fail "the $round exited with $?"
  wineserver -w
done

[ -f "$dir/rz-v70-writer.exe" ] || fail "no rz-v70-writer.exe in Program Files"
[ -f "$dir/uninstall.exe" ] || fail "no uninstall.exe"
[ -f "$menu/RZ-V70 Writer.lnk" ] || fail "no Start-menu shortcut"
# The installed programs start: every library they link to is there.
for program in rz-v70-writer rz-v70; do
  wine "$dir/$program.exe" --version </dev/null 2>/dev/null | grep -q "^$program " ||
    fail "the installed $program.exe does not start"
done
entry=$(wine reg query "$key" 2>/dev/null | tr -d '\r') || fail "no Add/Remove Programs entry"
for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString \
  QuietUninstallString InstallLocation NoModify NoRepair EstimatedSize; do
  grep -q "^ *$value " <<<"$entry" || fail "the entry has no $value"
done
grep -q '^ *Publisher  *REG_SZ  *RZ-V70 Writer developers$' <<<"$entry" || fail "wrong Publisher"
quiet=$(sed -n 's/^ *QuietUninstallString  *REG_SZ  *"\(.*\)" \/S$/\1/p' <<<"$entry")
[ -n "$quiet" ] || fail "QuietUninstallString is not '\"...\" /S'"
[ "$failed" = 0 ] || exit 1

# The user's own files, which the uninstall must keep.
user="$c/users/$(id -un)"
mkdir -p "$user/AppData/Roaming/rz-v70-writer" "$user/AppData/Local/rz-v70-writer/backups"
echo "[Port]" >"$user/AppData/Roaming/rz-v70-writer/RZ-V70_Writer.INI"
echo "[Port]" >"$user/AppData/Local/rz-v70-writer/RZ-V70_Writer.INI"
echo "clone" >"$user/AppData/Local/rz-v70-writer/backups/backup.V70"

# The uninstaller returns at once and finishes in its temporary copy:
# wineserver -w waits for it.
wine "$quiet" /S || fail "the uninstall exited with $?"
wineserver -w

for f in Roaming/rz-v70-writer/RZ-V70_Writer.INI Local/rz-v70-writer/RZ-V70_Writer.INI \
  Local/rz-v70-writer/backups/backup.V70; do
  [ -f "$user/AppData/$f" ] || fail "the uninstall removed the user's $f"
done
rm -rf "$user/AppData/Roaming/rz-v70-writer" "$user/AppData/Local/rz-v70-writer"

[ ! -e "$dir" ] || fail "the install folder is still there"
[ ! -e "$menu" ] || fail "the Start-menu folder is still there"
! wine reg query "$key" >/dev/null 2>&1 || fail "the Add/Remove Programs entry is still there"

snapshot after
if ! left=$(diff "$tmp/before.files" "$tmp/after.files"); then
  fail "C: differs after the uninstall:"
  echo "$left" >&2
fi
for hive in HKLM HKCU; do
  if ! left=$(diff "$tmp/before.$hive.txt" "$tmp/after.$hive.txt"); then
    fail "$hive\\Software differs after the uninstall:"
    echo "$left" >&2
  fi
done

[ "$failed" = 0 ] || exit 1
echo "installer test: ok"

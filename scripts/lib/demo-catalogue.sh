#!/usr/bin/env bash
# Writes a small demo catalogue beside the built Appdeck.exe when there is none,
# with programs every Wine prefix has, so a first run shows a working launcher.
#   demo-catalogue.sh <folder of Appdeck.exe>
set -euo pipefail
dir=${1:?folder of Appdeck.exe}
cat_dir="$dir/ADCat"
[ -d "$cat_dir" ] && exit 0
mkdir -p "$cat_dir"

# Category files are ANSI INI files with CRLF line ends.
write() { printf '%s\r\n' "${@:2}" > "$cat_dir/$1.dat"; }

write "System Tools" \
    "[Command Prompt]" 'Loc=%SystemRoot%\system32\cmd.exe' "Desc=Windows command line" \
    "[Registry Editor]" 'Loc=%SystemRoot%\regedit.exe' "Desc=Browse & edit the registry" \
    "[Wine Configuration]" 'Loc=%SystemRoot%\system32\winecfg.exe' "Desc=Settings of this Wine prefix" \
    "[Task Manager]" 'Loc=%SystemRoot%\system32\taskmgr.exe' "Desc=" \
    "[Control Panel]" 'Loc=%SystemRoot%\system32\control.exe' "Desc=System settings" \
    "[Uninstaller]" 'Loc=%SystemRoot%\system32\uninstaller.exe' "Desc=Add or remove programs"
write "Office" \
    "[Notepad]" 'Loc=%SystemRoot%\notepad.exe' "Desc=Plain text editor" \
    "[WordPad]" 'Loc=C:\Program Files\Windows NT\Accessories\wordpad.exe' "Desc=Rich text editor" \
    "[Explorer]" 'Loc=%SystemRoot%\explorer.exe' "Desc=Files and folders"
write "Games" \
    "[Mines]" 'Loc=%SystemRoot%\system32\winemine.exe' "Desc=Find the mines"
echo "demo catalogue written to $cat_dir"

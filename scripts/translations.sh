#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the translations from the sources: every text that the sources
# pass to tr(), translate() or QT_TRANSLATE_NOOP() goes into each
# translations/kelvane_<code>.ts, new ones unfinished; texts gone from the
# sources leave, and the translations already made stay. Run it after
# changing a text the program shows, and commit the .ts files with that
# change; the build compiles them, so no .qm file is ever committed.
#   scripts/translations.sh          refreshes every translations/kelvane_*.ts
#   scripts/translations.sh sv ko    the same, and begins kelvane_sv.ts and
#                                    kelvane_ko.ts (then add sv and ko to the
#                                    languages in src/CMakeLists.txt)
# A translator fills in one .ts file with Qt Linguist or a text editor.
# Needs lupdate (Debian: qt6-l10n-tools); LUPDATE names another one.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}

# No line numbers, so the files change only when the texts do.
options=(-silent -locations none -no-obsolete -source-language en -extensions cpp,h)
for code in "$@"; do
    [[ $code =~ ^[a-z]{2,3}(_[A-Z]{2})?$ ]] || { echo "not a language code: '$code' (de, pt_BR)" >&2; exit 2; }
    file=translations/kelvane_$code.ts
    [ -e "$file" ] || "$lupdate" "${options[@]}" -target-language "$code" src -ts "$file"
done
files=(translations/kelvane_*.ts)
[ -e "${files[0]}" ] || { echo "no translations yet: name the languages to begin" >&2; exit 2; }
"$lupdate" "${options[@]}" src -ts "${files[@]}"

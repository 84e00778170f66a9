#!/usr/bin/env bash
# Extracts the texts the user sees into po/osk.pot (from the sources, the
# desktop entry and the AppStream metainfo) and merges the template into
# every po/LANG.po of po/LINGUAS.  New texts then appear untranslated: fill
# them in, and the catalogue test passes again.
# Usage: scripts/update-po.sh [OUT.pot]   (OUT given: only write the template there)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-po/osk.pot}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
# Program texts: marked with N_() where they are defined, or passed straight
# to Tr() or the framework's AfxTranslate().
xgettext --language=C++ --from-code=UTF-8 --keyword= --keyword=N_ --keyword=Tr \
  --keyword=AfxTranslate --add-comments=TRANSLATORS: --no-wrap --add-location=file --package-name=osk \
  -o "$tmp/program.pot" app/*.cpp demo/*.cpp platform/*.cpp
xgettext --language=Desktop --keyword= --keyword=GenericName --keyword=Comment --keyword=Keywords --add-location=file \
  --no-wrap -o "$tmp/desktop.pot" dist/org.example.Osk.desktop
xgettext --its=/usr/share/gettext/its/metainfo.its --add-location=file --no-wrap -o "$tmp/metainfo.pot" dist/org.example.Osk.metainfo.xml.in
msgcat --no-wrap --use-first "$tmp/program.pot" "$tmp/desktop.pot" "$tmp/metainfo.pot" -o "$tmp/osk.pot"
# The creation date would change the template at every run.
sed '/^"POT-Creation-Date:/d' "$tmp/osk.pot" > "$out"
[ $# -gt 0 ] && exit 0
for code in $(grep -v '^#' po/LINGUAS); do
  if [ -f "po/$code.po" ]; then
    msgmerge --quiet --update --backup=none --no-fuzzy-matching --no-wrap --add-location=file "po/$code.po" po/osk.pot
  else
    msginit --no-translator --no-wrap --locale="$code" --input=po/osk.pot --output-file="po/$code.po"
  fi
done

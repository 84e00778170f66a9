#!/usr/bin/env bash
# The catalogues and the choice of language on the desktop: every po/LANG.po
# complete (msgfmt --check --statistics: translated only, no fuzzy or
# untranslated entry) and po/osk.pot holding every text the sources mark;
# the language taken from the environment as gettext does, --lang above it,
# an unknown code giving English with one note; the help box translated.
#   languages.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$(cd "${1:?build dir}" && pwd)
src=$(cd "${2:?source dir}" && pwd)
work=$(mktemp -d /tmp/osk-lang-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for code in $(grep -v '^#' "$src/po/LINGUAS"); do
  stats=$(msgfmt --check --statistics -o /dev/null "$src/po/$code.po" 2>&1) || fail "$code.po: $stats"
  [[ "$stats" =~ ^[0-9]+\ translated\ messages\.$ ]] || fail "$code.po is not complete: $stats"
done
"$src/scripts/update-po.sh" "$work/fresh.pot" || fail "cannot extract the texts"
diff <(grep '^msgid' "$work/fresh.pot" | sort) <(grep '^msgid' "$src/po/osk.pot" | sort) >"$work/pot.diff" ||
  fail "po/osk.pot is not up to date (scripts/update-po.sh): $(cat "$work/pot.diff")"

printf 'wait 0.2\nkey l\nwait 0.2\nkey f1\nwait 0.2\n' >"$work/input.osk"
# Runs osk with the variables (NAME=VALUE) and then the options given;
# prints the title the longitudinal wave showed (UTF-8) and keeps
# standard error in err.txt.
wave_title() {
  local vars=() args=()
  for a in "$@"; do
    if [ ${#args[@]} = 0 ] && [[ "$a" == *=* ]]; then vars+=("$a"); else args+=("$a"); fi
  done
  rm -rf "$work/dump"
  env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE "${vars[@]}" "$build/osk" "${args[@]}" --headless --script "$work/input.osk" \
    --dump "$work/dump" >/dev/null 2>"$work/err.txt" || fail "osk $*: status $?: $(cat "$work/err.txt")"
  sed -n 3p "$work/dump/refreshes.txt" | cut -f2
}
expect() {
  local want=$1; shift
  local got; got=$(wave_title "$@")
  [ "$got" = "$want" ] || fail "with $*: '$got', not '$want'"
}
expect "Longitudinal Wave"
expect "Longitudinalwelle" LANG=de_DE.UTF-8
expect "Onde longitudinale" LANG=de_DE.UTF-8 --lang fr
expect "Longitudinale golf" LANG=de_DE.UTF-8 LANGUAGE=nl:de
expect "Onda longitudinal" LANG=de_DE.UTF-8 LC_MESSAGES=pt_BR.UTF-8
expect "Onda longitudinale" LC_ALL=it_IT.UTF-8 LANG=de_DE.UTF-8
expect "Longitudinal Wave" LC_ALL=C LANGUAGE=de
expect "Longitudinal Wave" LANG=ja_JP.UTF-8
grep -q "Tasten: " "$work/err.txt" && fail "English locale, German help"
# C in LANGUAGE ends the list with the source texts, as gettext does.
expect "Longitudinal Wave" LANG=de_DE.UTF-8 LANGUAGE=ja:C:de
expect "Longitudinell våg" LANG=de_DE.UTF-8 LANGUAGE=sv:C:de
expect "Longitudinell våg" LANG=de_DE.UTF-8 LANGUAGE=:sv
expect "Longitudinal bølge" LANG=no_NO.UTF-8
expect "Διαμήκες κύμα" LC_MESSAGES=el_GR.UTF-8 LANG=de_DE.UTF-8
expect "Поздовжня хвиля" LANG=C --lang uk_UA
grep -q "Клавіші однакові в усіх мовах." "$work/err.txt" || fail "the Ukrainian help: $(cat "$work/err.txt")"
expect "Longitudinalwelle" LANG=C --lang de
grep -q "Die Tasten sind in jeder Sprache dieselben." "$work/err.txt" || fail "the German help: $(cat "$work/err.txt")"
expect "Longitudinal Wave" LANG=de_DE.UTF-8 --lang xx
[ "$(grep -c "no texts in the language 'xx'; English is used" "$work/err.txt")" = 1 ] ||
  fail "no note on the unknown code: $(cat "$work/err.txt")"
echo PASS

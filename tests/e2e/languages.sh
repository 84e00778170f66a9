#!/usr/bin/env bash
# The catalogues and the choice of language on the desktop: every po/LANG.po
# complete (msgfmt --check --statistics: translated only, no fuzzy or
# untranslated entry) and po/osk.pot holding every text the sources mark;
# the language taken from the environment as gettext does, --lang above it,
# an unknown code giving English with one note; the help box translated.
#   languages.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
source "$(dirname "$0")/support/common.sh"

for code in $(grep -v '^#' "$SOURCE_DIR/po/LINGUAS"); do
  stats=$(msgfmt --check --statistics -o /dev/null "$SOURCE_DIR/po/$code.po" 2>&1) || fail "$code.po: $stats"
  [[ "$stats" =~ ^[0-9]+\ translated\ messages\.$ ]] || fail "$code.po is not complete: $stats"
done
"$SOURCE_DIR/scripts/update-po.sh" "$WORK/fresh.pot" || fail "cannot extract the texts"
diff <(grep '^msgid' "$WORK/fresh.pot" | sort) <(grep '^msgid' "$SOURCE_DIR/po/osk.pot" | sort) >"$WORK/pot.diff" ||
  fail "po/osk.pot is not up to date (scripts/update-po.sh): $(cat "$WORK/pot.diff")"

printf 'wait 0.2\nkey l\nwait 0.2\nkey f1\nwait 0.2\n' >"$WORK/input.osk"
# Runs osk with the variables (NAME=VALUE) and then the options given;
# prints the title the longitudinal wave showed (UTF-8) and keeps
# standard error in err.txt.
wave_title() {
  local vars=() args=()
  for a in "$@"; do
    if [ ${#args[@]} = 0 ] && [[ "$a" == *=* ]]; then vars+=("$a"); else args+=("$a"); fi
  done
  rm -rf "$WORK/dump"
  env -u LC_ALL -u LC_MESSAGES -u LANG -u LANGUAGE "${vars[@]}" "$BUILD_DIR/osk" "${args[@]}" --headless --script "$WORK/input.osk" \
    --dump "$WORK/dump" >/dev/null 2>"$WORK/err.txt" || fail "osk $*: status $?: $(cat "$WORK/err.txt")"
  sed -n 3p "$WORK/dump/refreshes.txt" | cut -f2
}
# One case a line: variables and options | the title | what standard error
# says exactly once ("!TEXT": does not say at all; empty: not looked at).
while IFS='|' read -r setting want said; do
  read -r -a words <<<"$setting"
  got=$(wave_title "${words[@]}")
  [ "$got" = "$want" ] || fail "with $setting: '$got', not '$want'"
  case $said in
    "") ;;
    !*) grep -qF -- "${said#!}" "$WORK/err.txt" && fail "with $setting: standard error says '${said#!}'" ;;
    *) [ "$(grep -cF -- "$said" "$WORK/err.txt")" = 1 ] ||
         fail "with $setting: standard error does not say '$said' once: $(cat "$WORK/err.txt")" ;;
  esac
done <<'CASES'
|Longitudinal Wave|
LANG=de_DE.UTF-8|Longitudinalwelle|
LANG=de_DE.UTF-8 --lang fr|Onde longitudinale|
LANG=de_DE.UTF-8 LANGUAGE=nl:de|Longitudinale golf|
LANG=de_DE.UTF-8 LC_MESSAGES=pt_BR.UTF-8|Onda longitudinal|
LC_ALL=it_IT.UTF-8 LANG=de_DE.UTF-8|Onda longitudinale|
LC_ALL=C LANGUAGE=de|Longitudinal Wave|
LANG=ja_JP.UTF-8|Longitudinal Wave|!Tasten:
LANG=de_DE.UTF-8 LANGUAGE=ja:C:de|Longitudinal Wave|
LANG=de_DE.UTF-8 LANGUAGE=sv:C:de|Longitudinell våg|
LANG=de_DE.UTF-8 LANGUAGE=:sv|Longitudinell våg|
LANG=no_NO.UTF-8|Longitudinal bølge|
LC_MESSAGES=el_GR.UTF-8 LANG=de_DE.UTF-8|Διαμήκες κύμα|
LANG=C --lang uk_UA|Поздовжня хвиля|Клавіші однакові в усіх мовах.
LANG=C --lang de|Longitudinalwelle|Die Tasten sind in jeder Sprache dieselben.
LANG=de_DE.UTF-8 --lang xx|Longitudinal Wave|no texts in the language 'xx'; English is used
CASES
echo PASS

#!/bin/sh
# installed-run.sh <build dir> <with-xvfb.sh>
# Installs the build into a fresh prefix, checks that every installed binary
# looks for its libraries beside itself only, then runs bin/marlowin on the
# sample under Xvfb as a user who cannot write the program folder (nobody when
# run as root) and checks that it played (the player's position moved while
# the window showed playing), saved its screenshot and kept its
# configuration in the user's folder without touching the program folder.
# Nothing it reads lies in the checkout, which that user may not read.
set -eu
build=$1
xvfb=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "installed-run: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install failed"
program="$prefix/lib/marlowin"
[ -L "$prefix/bin/marlowin" ] || fail "no bin/marlowin link"
[ -f "$prefix/share/applications/marlowin.desktop" ] || fail "no desktop entry"
[ -f "$prefix/share/icons/hicolor/scalable/apps/marlowin.svg" ] || fail "no icon"
for lang in English Chinese; do
  [ -f "$program/config/lang/$lang.lang" ] || fail "no $lang.lang"
done
[ -f "$program/utilities/dep/no_net.html" ] || fail "no map pages"

for binary in "$program"/marlowin "$program"/*.so; do
  paths=$(readelf -d "$binary" | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]/\2/p')
  [ "$paths" = '$ORIGIN' ] || fail "$binary searches '$paths' for its libraries"
done

# The sanitizer runtime of an instrumented build reads the suppression files
# its options name as the user the program runs as, who may not be allowed to
# read the checkout: each one is copied beside the run, readable by all.
readable_suppressions() {
  eval "value=\${$1-}"
  [ -n "$value" ] || return 0
  copied=""
  saved_ifs=$IFS
  IFS=:
  set -f
  for option in $value; do
    case "$option" in
      suppressions=*)
        mkdir -p "$work/sanitizers"
        copy="$work/sanitizers/$1.supp"
        cp "${option#suppressions=}" "$copy" || fail "cannot copy the $1 suppressions"
        chmod 644 "$copy"
        option="suppressions=$copy"
        ;;
    esac
    copied="${copied:+$copied:}$option"
  done
  set +f
  IFS=$saved_ifs
  eval "$1=\$copied"
  export "$1"
}
for options in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS TSAN_OPTIONS; do
  readable_suppressions "$options"
done

home="$work/home"
mkdir -p "$home" "$work/out"
cp "$build/sample/sample.dvr" "$build/sample/sample.inx" "$work/out/"
chmod -R a-w "$program"
run_as_user=""
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody "$home" "$work/out"
  chmod 755 "$work"
  run_as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
fi
before=$(ls -lR "$program")
env -u LD_LIBRARY_PATH HOME="$home" XDG_CONFIG_HOME="$home/.config" DVR_ROOT="$home/DVR" \
    MARLOWIN_OPEN="$work/out/sample.dvr" MARLOWIN_RUN_SECONDS=3 \
    MARLOWIN_SCREENSHOT="$work/out/shot.png" \
    sh "$xvfb" $run_as_user "$prefix/bin/marlowin" >"$work/run.log" 2>&1 ||
  { cat "$work/run.log" >&2; fail "marlowin exited with an error"; }

# The run reports the player's first and last position seen while playing.
played=$(sed -n 's/^marlowin: played from position \([0-9]*\) to \([0-9]*\)$/\1 \2/p' "$work/run.log")
[ -n "$played" ] || { cat "$work/run.log" >&2; fail "the sample never played"; }
set -- $played
[ "$2" -gt "$1" ] || fail "the position did not move while playing ($1 to $2)"
[ -s "$work/out/shot.png" ] || fail "no screenshot"
[ -f "$home/.config/marlowin/AppConfig.ini" ] || fail "no configuration in the user's folder"
[ "$(ls -lR "$program")" = "$before" ] || fail "the program folder changed"
echo "installed-run: the installed program played the sample"

# shellcheck shell=bash
# wine.sh - sourced by the Windows test scripts: Wine with a private prefix in
# the build tree, and the simulated meter behind that prefix's com4.
#
#   vin_prepare BUILD_WIN64   WINEPREFIX=BUILD_WIN64/wine, made once with
#                             wineboot -i and reused; starts a wineserver that
#                             lives until the script ends
#   vin PROGRAM.exe [ARG...]  runs a Windows program under Wine
#   metre_demarre SIMULATEUR [OPTION...]
#                             starts the simulated meter with com4 pointing at
#                             its pseudo-terminal; its device path is in
#                             $METRE and its log in $JOURNAL
#   metre_arrete              stops it (which removes the com4 link)
#   journal_recu              the bytes the meter received, as "3F 52 44 0D"
#
# The loader and the wineserver are found in /usr/lib/wine (Debian's wine64
# puts no wine64 command on the PATH), or given as $WINE and $WINESERVER.

export WINEDEBUG=-all
# No Mono or Gecko: the prefix needs neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

vin_trouve() {
  local w
  for w in "${WINE:-}" /usr/lib/wine/wine64 "$(command -v wine64 || true)"; do
    if [ -n "$w" ] && [ -x "$w" ]; then WINE=$w; break; fi
  done
  for w in "${WINESERVER:-}" "${WINE%/*}/wineserver64" "${WINE%/*}/wineserver" \
           "$(command -v wineserver || true)"; do
    if [ -n "$w" ] && [ -x "$w" ]; then WINESERVER=$w; break; fi
  done
  if [ ! -x "${WINE:-}" ] || [ ! -x "${WINESERVER:-}" ]; then
    echo "Wine not found: install wine64 (make deps)"
    exit 1
  fi
}

vin_fin() {
  if [ -n "${METRE_PID:-}" ]; then metre_arrete; fi
  "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$VIN_TEMP"
}

vin_prepare() {
  vin_trouve
  mkdir -p "$1"
  export WINEPREFIX
  WINEPREFIX=$(cd "$1" && pwd)/wine
  VIN_TEMP=$(mktemp -d)
  trap vin_fin EXIT
  # Made once per build tree (a few seconds); the lock keeps two scripts
  # started together from making it twice, and the mark from using a prefix
  # whose making was interrupted.
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.pret" ]; then
      rm -rf "$WINEPREFIX"
      echo "making the Wine prefix $WINEPREFIX"
      "$WINE" wineboot -i >"$1/wine-prefixe.log" 2>&1 ||
        { cat "$1/wine-prefixe.log"; exit 1; }
      "$WINESERVER" -w >/dev/null 2>&1
      touch "$WINEPREFIX/.pret"
    fi
  ) 9>"$1/wine.verrou"
  # One wineserver for the whole script, started before the meter's link is
  # made: Wine's device manager, which starts with it, links the comN names
  # of the machine's own serial ports and would replace a com4 made earlier.
  # It lists its objects on its error stream when it stops.
  "$WINESERVER" -p >/dev/null 2>&1
  "$WINE" cmd.exe /c rem >/dev/null 2>&1
}

vin() { "$WINE" "$@" 2>>"$VIN_TEMP/stderr"; }

metre_demarre() {
  local simulateur=$1
  shift
  JOURNAL=$VIN_TEMP/journal
  : >"$JOURNAL"
  "$simulateur" --journal "$JOURNAL" --lien "$WINEPREFIX/dosdevices/com4" "$@" \
    >"$VIN_TEMP/metre" &
  METRE_PID=$!
  for _ in $(seq 100); do
    METRE=$(head -n 1 "$VIN_TEMP/metre")
    [ -n "$METRE" ] && return 0
    sleep 0.05
  done
  echo "the simulated meter did not start"
  exit 1
}

metre_arrete() {
  kill "$METRE_PID" 2>/dev/null || true
  wait "$METRE_PID" 2>/dev/null || true
  METRE_PID=
  rm -f "$VIN_TEMP/metre"
}

journal_recu() { sed -n 's/^recu //p' "$JOURNAL" | paste -sd ' '; }

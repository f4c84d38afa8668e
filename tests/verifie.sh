# Sourced by the test scripts: `verifie DESCRIPTION COMMAND...` runs one
# check, prints ok or FAILED with its description and counts the failures
# in $echecs; the script ends by testing that count.
echecs=0
verifie() {
  local quoi=$1
  shift
  if "$@"; then echo "ok     $quoi"; else echo "FAILED $quoi"; echecs=$((echecs + 1)); fi
}

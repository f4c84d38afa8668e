#!/bin/sh
# Reads the pH with the lph330t program: one run, one line, one exit status.
# The point as decimal separator, whatever the user's locale.
export LC_ALL=C
ligne=$(lph330t ead 0)
statut=$?
# The line ends with CR LF; $(...) drops the LF, the CR stays.
ligne=$(printf '%s' "$ligne" | tr -d '\r')
if [ "$statut" -ne 0 ]; then
  echo "error report: $ligne" >&2
  exit 2
fi
if [ "$ligne" = -777 ]; then
  echo "no reading"
  exit 1
fi
printf 'pH %.2f\n' "$ligne"

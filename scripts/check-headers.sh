#!/bin/sh
# Compiles each header of the game and of its tools alone, so that a header leaning on
# what its includers happen to include before it fails here, not in the next file that
# includes it first.
# Usage: check-headers.sh SOURCE_DIR COMPILER FLAGS...
set -eu
cd "$1"
shift
export HEADER_CHECK_COMPILE="$* -Isrc -fsyntax-only -x c++ -"
find src tools -name '*.h' | sort | xargs -n 1 -P 2 sh -c '
    printf "#include \"%s\"\n" "$PWD/$1" | $HEADER_CHECK_COMPILE || { echo "$1 does not compile alone"; exit 1; }
' header

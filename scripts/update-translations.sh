#!/bin/bash
# Brings the translation sources in lang/ up to date with the texts of the
# program: new texts are added as unfinished, texts that are gone are dropped,
# and finished translations are kept. Translate the new entries afterwards
# (Qt Linguist, or by hand) and mark them finished.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate="${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"
for language in de fr; do
  "$lupdate" -silent -no-obsolete -locations none -source-language en -target-language "$language" \
    app converter chart components -ts "lang/tintora_$language.ts"
done

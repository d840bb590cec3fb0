#!/usr/bin/env bash
# The page of `ispeziona --html` for the built-in scenario, as a person
# meets it: opened in headless Chromium, with no console error, the plan and
# the three profiles in its SVG, and a screenshot that is not blank.
#
#   ispeziona_pagina_test.sh COMPATTATORE ISPEZIONA SCREENSHOT_FOLDER
#
# Exit 77 (skipped) when Chromium is not installed.
set -euo pipefail
compattatore=$1
ispeziona=$2
schermate=$3
chromium=${CHROMIUM:-/usr/bin/chromium}
if [ ! -x "$chromium" ]; then
  echo "skipped: $chromium not installed (scripts/installa_dipendenze.sh installs it)"
  exit 77
fi

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
# The one-shot program writes the compiled files beside itself.
cp "$compattatore" "$lavoro/compattatore"
(cd "$lavoro" && timeout 60 ./compattatore > /dev/null)
pagina="$lavoro/pagina.html"
timeout 60 "$ispeziona" --html "$pagina" "$lavoro/Valmora_Tessa_R7736.dat" "$lavoro/Valmora_Tessa_R7736.sim" \
  "$lavoro/Valmora_Tessa_linea.dat"

fallito() {
  echo "FAILED: $*"
  exit 1
}

# Self-contained: nothing to fetch.
if grep -Eq '(src|href)=|url\(|@import|https?:' "$pagina"; then
  fallito "the page refers to something outside itself: $(grep -Eo '(src|href)=[^ >]*|url\([^)]*\)|@import[^;]*|https?:[^ "]*' "$pagina" | head -3)"
fi

avvia() {
  timeout 90 "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$(mktemp -d -p "$lavoro")" --hide-scrollbars "$@"
}

# The document as the browser built it, and its console.
avvia --enable-logging=stderr --v=0 --dump-dom "file://$pagina" > "$lavoro/dom.html" 2> "$lavoro/console.txt" ||
  fallito "chromium could not load the page: $(tail -3 "$lavoro/console.txt")"
if grep -E 'CONSOLE|Uncaught|net::ERR_' "$lavoro/console.txt"; then
  fallito "console errors while loading the page"
fi
grep -q '<polyline id="polilinea-pianta" class="binario" points="[0-9]' "$lavoro/dom.html" ||
  fallito "no plan polyline in the page"
punti=$(grep -o '<polyline id="polilinea-pianta"[^>]*>' "$lavoro/dom.html" | grep -o ',' | wc -l)
[ "$punti" -ge 100 ] || fallito "the plan polyline has only $punti points"
for profilo in profilo-pendenza profilo-velocita profilo-aderenza; do
  grep -q "<svg id=\"$profilo\"" "$lavoro/dom.html" || fallito "no $profilo in the page"
done
grep -q 'class="linea-velocita" d="M' "$lavoro/dom.html" || fallito "no line speed drawn"
grep -q 'class="rallentamento"' "$lavoro/dom.html" || fallito "no slow-down drawn"
grep -q 'Rondè/ Rundach' "$lavoro/dom.html" || fallito "the code page 1252 name is not rendered as è"

# What a person sees: a screenshot at a laptop's width that is not blank.
mkdir -p "$schermate"
schermata="$schermate/ispeziona.png"
rm -f "$schermata"
avvia --screenshot="$schermata" --window-size=1366,1600 "file://$pagina" > /dev/null 2>&1 ||
  fallito "chromium could not take the screenshot"
python3 "$(dirname "$0")/png_non_vuota.py" "$schermata" || fallito "the screenshot is blank"
echo "page ok; screenshot in $schermata"

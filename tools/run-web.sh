#!/usr/bin/env bash
# Serves build/web on 127.0.0.1 and prints the page's address. With a
# display, until stopped (Ctrl+C); with none, opens the page in headless
# Chromium, saves a screenshot of it as build/screenshot-main-web.png and
# stops.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
port=${VORNAK_PORT:-8090}
python3 -m http.server --bind 127.0.0.1 --directory "$top/build/web" "$port" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
url="http://127.0.0.1:$port/Vornak1.html"
for _ in $(seq 100); do
  python3 -c "import urllib.request; urllib.request.urlopen('$url')" 2>/dev/null && break
  sleep 0.05
done
echo "Vornak1 is at $url"
if [ -n "${DISPLAY:-}" ]; then
  echo "(Ctrl+C stops the server)"
  wait "$server"
else
  node "$top/tools/web-shot.mjs" "$url" "$top/build/screenshot-main-web.png"
  echo "The main window is in $top/build/screenshot-main-web.png"
fi

#!/usr/bin/env bash
# Lighthouse's mobile audit of the built web edition (build/web/site), served as scripts/web.sh
# serves it, in Debian's Chromium; prints the four category scores and the page-load figures,
# and keeps the full report in build/web/lighthouse.html. Lighthouse is pinned by
# bench/lighthouse/package-lock.json.
#   bash bench/web_lighthouse.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-1}"
site="build/web/site"
[ -f "$site/index.html" ] || { echo "web-lighthouse: no site in $site: run scripts/build_web.sh" >&2; exit 1; }
(cd bench/lighthouse && npm ci --no-audit --no-fund --silent)

port=8097
STRUMWISE_SERVE_QUIET=1 python3 scripts/serve_site.py --site "$site" --port "$port" >/dev/null &
server=$!
trap 'kill "$server"' EXIT
sleep 1

for run in $(seq "$runs"); do
    CHROME_PATH=/usr/bin/chromium nice bench/lighthouse/node_modules/.bin/lighthouse \
        "http://127.0.0.1:$port/" --quiet --output=json --output=html \
        --output-path=build/web/lighthouse \
        --chrome-flags="--headless=new --no-sandbox --use-fake-device-for-media-stream --use-fake-ui-for-media-stream"
    node -e '
      const report = require(process.argv[1]);
      const score = (id) => Math.round(report.categories[id].score * 100);
      const figure = (id) => report.audits[id].displayValue;
      console.log(`run ${process.argv[2]}: performance ${score("performance")}, accessibility ${score("accessibility")}, ` +
        `best practices ${score("best-practices")}, SEO ${score("seo")}; FCP ${figure("first-contentful-paint")}, ` +
        `LCP ${figure("largest-contentful-paint")}, TBT ${figure("total-blocking-time")}, CLS ${figure("cumulative-layout-shift")}`);
      for (const id of ["accessibility", "best-practices", "seo"]) {
        for (const ref of report.categories[id].auditRefs) {
          const audit = report.audits[ref.id];
          if (ref.weight > 0 && audit.score !== null && audit.score < 1) console.log(`  ${id}: ${audit.title}`);
        }
      }' "$PWD/build/web/lighthouse.report.json" "$run"
done
echo "load average: $(cut -d" " -f1-3 /proc/loadavg) on $(nproc) cores"

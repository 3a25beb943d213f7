#!/usr/bin/python3
"""The figures of `wxl html` (run from the build folder, after building
write_record, wxl and wxl-render; needs chromium, chromium-driver and
python3-selenium):

  - the page of a 300-entry game, and of a 100,000-entry record, in bytes,
    against 120 KB and 120 KB + 12 bytes an entry;
  - the wall and processor time of `wxl html` (best of three);
  - in headless Chromium, the 100,000-entry page's load event from the start
    of navigation, and the slowest of a step forward and back, End, Home,
    Page Up and Page Down, each timed around its key event.

usage: bench/html-page.py BUILD_DIR
"""
import os
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

build = sys.argv[1] if len(sys.argv) > 1 else "build"
wxl = os.path.join(build, "tools/wxl/wxl")
write_record = os.path.join(build, "bench/write_record")
work = tempfile.mkdtemp(prefix="wxl-html-bench-")


def page_of(n):
    record = os.path.join(work, "played-%d.wxl" % n)
    page = os.path.join(work, "played-%d.html" % n)
    subprocess.run([write_record, "played", str(n), record], check=True)
    best = None
    for _ in range(3):
        before = os.times()
        subprocess.run([wxl, "html", record, "-o", page], check=True)
        after = os.times()
        run = (after.elapsed - before.elapsed,
               after.children_user + after.children_system - before.children_user - before.children_system)
        best = run if best is None else min(best, run)
    return page, os.path.getsize(page), best


for n in [300, 100_000, 1_000_000]:
    page, size, seconds = page_of(n)
    limit = 120 * 1024 + (12 * n if n > 300 else 0)
    print("%9d entries: page %9d bytes (limit %9d), wxl html %.3f s (%.3f s of processor)"
          % (n, size, limit, seconds[0], seconds[1]))

options = Options()
for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--force-device-scale-factor=1",
            "--window-size=800,900"]:
    options.add_argument(arg)
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    # A first page starts the browser's renderer, which the figures below
    # should not include.
    driver.get("file://" + os.path.join(work, "played-300.html"))
    driver.get("file://" + os.path.join(work, "played-100000.html"))
    time.sleep(0.5)
    fetched, parsed, load = driver.execute_script(
        "const t = performance.getEntriesByType('navigation')[0];"
        "return [t.responseEnd, t.domInteractive, t.loadEventStart];")
    print("100,000-entry page: read by %.0f ms, parsed and decoded by %.0f ms, load event at %.0f ms"
          % (fetched, parsed, load))
    times = driver.execute_script("""
        const keys = ['ArrowLeft', 'ArrowRight', 'Home', 'End', 'PageUp', 'PageDown', 'Home', 'PageDown', 'End'];
        const result = {};
        const canvas = document.getElementById('board').getContext('2d');
        for (let round = 0; round < 20; ++round) {
            for (const key of keys) {
                const start = performance.now();
                window.dispatchEvent(new KeyboardEvent('keydown', {key: key}));
                const handled = performance.now();
                canvas.getImageData(0, 0, 1, 1);
                const drawn = performance.now();
                (result[key] = result[key] || []).push([handled - start, drawn - start]);
            }
        }
        for (const key in result) {
            const handled = result[key].map(t => t[0]).sort((a, b) => a - b);
            const drawn = result[key].map(t => t[1]).sort((a, b) => a - b);
            result[key] = [handled[handled.length >> 1], handled[handled.length - 1],
                           drawn[drawn.length >> 1], drawn[drawn.length - 1]];
        }
        return result;""")
    print("  key         handled: median, slowest   drawn and read back: median, slowest")
    for key, (h50, hmax, d50, dmax) in times.items():
        print("  %-10s %8.2f %8.2f ms %12.2f %8.2f ms" % (key, h50, hmax, d50, dmax))
finally:
    driver.quit()

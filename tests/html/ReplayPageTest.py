#!/usr/bin/python3
"""The page `wxl html` makes, in a real browser (headless Chromium through
WebDriver): at each position shown, the canvas holds the top-left 600 x 600
pixels of `wxl render --at N` and #caption the caption `wxl board --at N`
prints; the fragment and the keys move it; it runs under its content security
policy without a console error and loads nothing; on a phone it draws at the
screen's resolution.

usage: ReplayPageTest.py WXL COMPARE_REGION
Exit 77 (skipped) when Chromium or its driver is missing. With
WXL_HTML_SCREENSHOTS=DIR, screenshots of the pages go to DIR.
"""
import base64
import json
import os
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile

SKIP = 77
CHROMEDRIVER = "/usr/bin/chromedriver"

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("skipped: python3-selenium is not installed (scripts/install-deps.sh installs it)")
    sys.exit(SKIP)
if not os.path.exists(CHROMEDRIVER) or not shutil.which("chromium"):
    print("skipped: chromium and chromium-driver are not installed (scripts/install-deps.sh installs them)")
    sys.exit(SKIP)

WXL, COMPARE = sys.argv[1], sys.argv[2]
WORK = tempfile.mkdtemp(prefix="wxl-html-")
SHOTS = os.environ.get("WXL_HTML_SCREENSHOTS")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def wxl(*args, stdin=None):
    return subprocess.run([WXL, *args], input=stdin, capture_output=True, text=True, check=True).stdout


def fights_record():
    """A capture, a bomb, a flower stone and a pass first, then a seeded
    scramble in one corner, which captures more, with bombs and passes."""
    lines = ["click 1 2", "click 1 1", "click 2 1", "bomb", "click 5 5", "pass"]
    rng = random.Random(7)
    for _ in range(300):
        roll = rng.random()
        if roll < 0.04:
            lines.append("bomb")
        elif roll < 0.07:
            lines.append("pass")
        else:
            lines.append("click %d %d" % (rng.randint(1, 9), rng.randint(1, 9)))
    path = os.path.join(WORK, "fights.wxl")
    lines.append("save " + path)
    wxl("session", stdin="\n".join(lines) + "\n")
    return path


SGF_GAME = """(;GM[1]FF[4]SZ[19]CA[UTF-8]GN[十番棋 第一局]PB[李昌镐]BR[9段]PW[曹薰铉]WR[9段]DT[1992-05-01]RE[B+R]
AB[dd][pp]C[让二子]
;W[dp]C[白挂角]
;B[cn];W[fq];B[jp]C[黑夹击];W[qd];B[oc];W[qf]
;B[ec]C[第八手之后]
)"""


def sgf_game():
    path = os.path.join(WORK, "game.sgf")
    with open(path, "w", encoding="utf-8") as out:
        out.write(SGF_GAME)
    return path


def make_page(game, *options):
    page = os.path.join(WORK, os.path.basename(game) + "-".join(options) + ".html")
    subprocess.run([WXL, "html", game, "-o", page, *options], capture_output=True, check=True)
    return page


def caption_of(game, n):
    line = next(l for l in wxl("board", game, "--at", str(n)).splitlines() if l.startswith("caption "))
    text = line[len("caption "):]
    return "" if text == "-" else text


def png_chunks(data):
    chunks, at = [], 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks.append(kind.decode("ascii"))
        at += 12 + length
    return chunks


def check_page_text(page):
    with open(page, encoding="utf-8") as f:
        text = f.read()
    name = os.path.basename(page)
    check('<meta charset="utf-8">' in text, name + ": declares UTF-8")
    check(re.search(r'http-equiv="Content-Security-Policy" content="default-src \'none\';[^"]*'
                    r"script-src 'sha256-[A-Za-z0-9+/=]+'", text), name + ": a strict content security policy")
    check(not re.search(r"https?://", text), name + ": refers to no web address")
    check(not re.search(r"<[^>]*\son[a-z]+=", text), name + ": no inline event handler attribute")
    data = json.loads(re.search(r'<script type="application/json" id="game">(.*?)</script>', text, re.S).group(1))
    for picture in [data["board"], *data["stones"]]:
        chunks = png_chunks(base64.b64decode(picture))
        check(not set(chunks) & {"gAMA", "sRGB", "iCCP", "cHRM"}, name + ": no colour-space chunk in " + str(chunks))


def browser(width, height, scale, mobile=False):
    options = Options()
    for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                "--force-device-scale-factor=%d" % scale, "--window-size=%d,%d" % (width, height)]:
        options.add_argument(arg)
    if mobile:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": width, "height": height, "pixelRatio": scale, "touch": True}})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


def wait_position(driver, n):
    try:
        WebDriverWait(driver, 10).until(
            lambda d: d.execute_script("return document.getElementById('board').dataset.position") == str(n))
    except Exception:
        check(False, "the page reaches position %d (at %s)" % (n, driver.execute_script(
            "return document.getElementById('board').dataset.position")))
        return False
    return True


def check_shown(driver, game, n, compare_pixels=True):
    if not wait_position(driver, n):
        return
    what = "%s at %d" % (os.path.basename(game), n)
    try:
        WebDriverWait(driver, 5).until(lambda d: d.execute_script("return location.hash") == "#%d" % n)
    except Exception:
        check(False, what + ": the fragment follows")
    shown = driver.execute_script("return document.getElementById('caption').textContent")
    expected = caption_of(game, n)
    check(shown == expected, "%s: caption %r, wxl board says %r" % (what, shown, expected))
    if not compare_pixels:
        return
    canvas = driver.execute_script("const c = document.getElementById('board'); return [c.width, c.height]")
    check(canvas == [600, 600], "%s: backing store %s" % (what, canvas))
    url = driver.execute_script("return document.getElementById('board').toDataURL('image/png')")
    shot = os.path.join(WORK, "canvas-%d.png" % n)
    with open(shot, "wb") as out:
        out.write(base64.b64decode(url.split(",", 1)[1]))
    reference = os.path.join(WORK, "render-%d.png" % n)
    wxl("render", game, "--at", str(n), "-o", reference)
    result = subprocess.run([COMPARE, shot, reference, "600", "600"], capture_output=True, text=True)
    check(result.returncode == 0, "%s: canvas against wxl render: %s" % (what, result.stdout.strip()))


def check_console(driver, what):
    errors = [entry for entry in driver.get_log("browser") if entry["level"] in ("SEVERE", "WARNING")]
    check(not errors, what + ": console is quiet: " + str(errors))
    loaded = driver.execute_script(
        "return performance.getEntriesByType('resource').map(e => e.name).filter(n => !n.startsWith('data:'))")
    check(not loaded, what + ": loads nothing: " + str(loaded))


def press(driver, key):
    driver.find_element("tag name", "body").send_keys(key)


def desktop_tests(driver):
    game = fights_record()
    page = make_page(game)
    check_page_text(page)
    url = "file://" + page
    size = int(wxl("check", game).split("(")[1].split()[0])
    # Opened at a fragment, then each fragment followed: empty board, black,
    # white, the capture, the bomb, the flower stone, the pass, further on.
    driver.get(url + "#3")
    check_shown(driver, game, 3)
    for n in [0, 1, 2, 4, 5, 6, size // 2, size]:
        driver.get(url + "#%d" % n)
        check_shown(driver, game, n)
    # The keys: Home, End, ten steps, one step.
    press(driver, Keys.HOME)
    check_shown(driver, game, 0, compare_pixels=False)
    press(driver, Keys.PAGE_DOWN)
    check_shown(driver, game, 10)
    press(driver, Keys.ARROW_RIGHT)
    check_shown(driver, game, 11, compare_pixels=False)
    press(driver, Keys.END)
    check_shown(driver, game, size, compare_pixels=False)
    press(driver, Keys.PAGE_UP)
    check_shown(driver, game, size - 10)
    press(driver, Keys.ARROW_LEFT)
    check_shown(driver, game, size - 11, compare_pixels=False)
    # The buttons, the wheel over the board and the slider.
    driver.find_element("id", "back").click()
    check_shown(driver, game, size - 12, compare_pixels=False)
    driver.find_element("id", "start").click()
    check_shown(driver, game, 0, compare_pixels=False)
    driver.find_element("id", "forward").click()
    check_shown(driver, game, 1, compare_pixels=False)
    driver.execute_script("document.getElementById('board').dispatchEvent("
                          "new WheelEvent('wheel', {deltaY: 100, cancelable: true}))")
    check_shown(driver, game, 2, compare_pixels=False)
    driver.execute_script("const s = document.getElementById('slider'); s.value = '7';"
                          "s.dispatchEvent(new Event('input'))")
    check_shown(driver, game, 7)
    driver.find_element("id", "end").click()
    check_shown(driver, game, size, compare_pixels=False)
    press(driver, Keys.ARROW_LEFT)
    check_shown(driver, game, size - 1, compare_pixels=False)
    # Move numbers switched on draw over the stones; the caption stays.
    driver.find_element("id", "last10").click()
    driver.find_element("id", "all").click()
    check(driver.find_element("id", "all").get_attribute("aria-pressed") == "true", "the N button is on")
    check_console(driver, "fights.wxl")

    # Without a fragment: the end, or --at.
    driver.get("file://" + make_page(game, "--at", "5"))
    check_shown(driver, game, 5, compare_pixels=False)
    driver.get(url)
    check_shown(driver, game, size, compare_pixels=False)
    if SHOTS:
        driver.save_screenshot(os.path.join(SHOTS, "desktop-record.png"))

    empty = os.path.join(WORK, "empty.wxl")
    with open(empty, "wb") as out:
        out.write(b"\0\0")
    driver.get("file://" + make_page(empty))
    check_shown(driver, empty, 0)
    press(driver, Keys.ARROW_RIGHT)
    check_console(driver, "empty.wxl")

    sgf = sgf_game()
    sgf_page = make_page(sgf)
    check_page_text(sgf_page)
    # Setup: two stones and the pass between them; move 4 of the page is
    # White's first, 7 Black's pincer.
    driver.get("file://" + sgf_page + "#7")
    check_shown(driver, sgf, 7)
    info = driver.find_element("id", "info").text
    for part in ["李昌镐 9段", "曹薰铉 9段", "1992-05-01", "B+R"]:
        check(part in info, "the game's information shows %s: %r" % (part, info))
    check(driver.title == "十番棋 第一局", "the game's name is the title: " + driver.title)
    check(driver.find_element("id", "comment").text == "黑夹击", "the comment of the pincer")
    driver.get("file://" + sgf_page + "#0")
    check_shown(driver, sgf, 0)
    check(driver.find_element("id", "comment").text == "让二子", "the root's comment at position 0")
    check_console(driver, "game.sgf")
    if SHOTS:
        driver.get("file://" + sgf_page + "#5")
        wait_position(driver, 5)
        driver.save_screenshot(os.path.join(SHOTS, "desktop-sgf.png"))
    return sgf_page


def phone_tests(driver, page):
    driver.get("file://" + page + "#5")
    if not wait_position(driver, 5):
        return
    css, store, inner = driver.execute_script(
        "const c = document.getElementById('board'); const r = c.getBoundingClientRect();"
        "return [[r.left, r.right, r.width, r.height], [c.width, c.height], window.innerWidth]")
    check(css[2] == css[3] and css[0] >= 0 and css[1] <= inner, "the board is square within the phone: %s" % css)
    check(store == [round(css[2] * 3)] * 2, "the backing store is 3 x the CSS size: %s for %s" % (store, css))
    # A swipe to the left steps forward, one to the right back.
    swipe = ("const c = document.getElementById('board'), r = c.getBoundingClientRect();"
             "const touch = x => [new Touch({identifier: 1, target: c, clientX: x, clientY: r.top + 100})];"
             "c.dispatchEvent(new TouchEvent('touchstart', {changedTouches: touch(r.left + arguments[0])}));"
             "c.dispatchEvent(new TouchEvent('touchend', {changedTouches: touch(r.left + arguments[1])}));")
    driver.execute_script(swipe, 250, 50)
    wait_position(driver, 6)
    driver.execute_script(swipe, 50, 250)
    wait_position(driver, 5)
    check_console(driver, "phone")
    if SHOTS:
        driver.save_screenshot(os.path.join(SHOTS, "phone-sgf.png"))


def main():
    driver = browser(800, 900, 1)
    try:
        page = desktop_tests(driver)
    finally:
        driver.quit()
    driver = browser(360, 740, 3, mobile=True)
    try:
        phone_tests(driver, page)
    finally:
        driver.quit()
    shutil.rmtree(WORK, ignore_errors=True)
    print("%d failures" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

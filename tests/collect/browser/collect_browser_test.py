#!/usr/bin/python3
"""The answering page in a real browser, found by its accessible names as assistive tools find it.

Three subjects answer a shuffled session of kestrune-cli collect on 127.0.0.1: one straight
through, one reloads its page midway, one loses the connection and its answer is resent. The
data file the program writes when the third finishes holds exactly their choices.

usage: collect_browser_test.py KESTRUNE_CLI SAMPLE_DISK
Exits 77 (skipped) when chromium, chromedriver or selenium is missing. With KESTRUNE_SCREENSHOT_DIR
naming a directory, the first screen and a pair refusing "次へ" are saved there for the guide.
"""
import os
import random
import shutil
import subprocess
import sys
import tempfile

from answering_page import (By, WebDriverWait, answer_pair, browser, button, by_name, check, finish,
                            heading, wait_heading, wait_text)

SERIES = "飲料の味"
CODES = ["P", "Q", "R", "S"]


def shown_pair(driver, pair_of_labels):
    """The series' pair index of the pair on screen, from its panels "A" and "B"."""
    a = by_name(driver, "section", "A").text.split()[-1]
    b = by_name(driver, "section", "B").text.split()[-1]
    return pair_of_labels[(a, b)]


def main():
    cli, sample = sys.argv[1], sys.argv[2]
    scratch = tempfile.mkdtemp(prefix="kestrune-browser-")
    disk = os.path.join(scratch, "disk")
    shutil.copytree(sample, disk)
    with open(os.path.join(disk, "order", SERIES + ".ord"), encoding="cp932") as f:
        lines = f.read().split()
    pairs = [tuple(int(x) for x in line.split(",")) for line in lines[1:]]
    with open(os.path.join(disk, "paper", SERIES + ".pap"), encoding="cp932") as f:
        words = [line.strip()[1:-1] for line in f.read().splitlines()[1:] if line.strip()]
    pair_of_labels = {(CODES[a - 1], CODES[b - 1]): k for k, (a, b) in enumerate(pairs)}
    rng = random.Random(21)
    choices = [[[rng.randint(0, 1) for _ in words] for _ in pairs] for _ in range(3)]

    program = subprocess.Popen(
        [cli, "--root", disk, "collect", SERIES, "mix", "端末", "--subjects", "3", "--codes", ",".join(CODES),
         "--shuffle", "--bind", "127.0.0.1", "--port", "0"],
        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    try:
        first = program.stdout.readline().strip()
        check(first.startswith("URL: http://127.0.0.1:"), "first line is the URL: " + first)
        url = first[len("URL: "):]
        short_code = ""
        for _ in range(200):
            line = program.stdout.readline()
            if not line or line.startswith("参加コード: "):
                short_code = line[len("参加コード: "):].split("(")[0].strip()
                break
        check(len(short_code) == 6, "the short code is printed: " + short_code)
        root = url[:url.rindex("/") + 1]
        check(line.find(root) > 0, "the address to type is printed: " + line)
        for subject in range(3):
            driver = browser()
            try:
                if subject == 1:
                    # This subject types the address and the short code instead of scanning.
                    driver.get(root)
                    field = by_name(driver, "input", "参加コード")
                    wrong = ("C" if short_code[0] != "C" else "D") + short_code[1:]
                    field.send_keys(wrong)
                    button(driver, "参加").click()
                    WebDriverWait(driver, 20).until(
                        lambda d: "違います" in d.find_element(By.CSS_SELECTOR, "[role=alert]").text)
                    check(driver.current_url == root, "a wrong code stays on the page")
                    field = by_name(driver, "input", "参加コード")
                    field.clear()
                    field.send_keys(short_code.lower())
                    button(driver, "参加").click()
                    WebDriverWait(driver, 20).until(lambda d: d.current_url == url)
                else:
                    driver.get(url)
                WebDriverWait(driver, 20).until(lambda d: d.find_elements(By.CSS_SELECTOR, "button"))
                check("組の試料" in driver.find_element(By.TAG_NAME, "main").text, "the instructions are shown")
                shots = os.environ.get("KESTRUNE_SCREENSHOT_DIR")
                if shots and subject == 0:
                    driver.save_screenshot(os.path.join(shots, "collect-phone-start.png"))
                button(driver, "開始").click()
                seen = []
                for k in range(1, len(pairs) + 1):
                    wait_heading(driver, f"対 {k} / {len(pairs)}")
                    index = shown_pair(driver, pair_of_labels)
                    seen.append(index)
                    if k == 1 and subject == 0:
                        # "次へ" refuses while a word is unanswered, and says so.
                        answer_pair(driver, words[:-1], choices[subject][index][:-1])
                        button(driver, "次へ").click()
                        alert = driver.find_element(By.CSS_SELECTOR, "[role=alert]")
                        check(words[-1] in alert.text, "the unanswered word is announced: " + alert.text)
                        check(heading(driver) == "対 1 / 6", "the page stays on the pair")
                        if shots:
                            driver.save_screenshot(os.path.join(shots, "collect-phone-pair.png"))
                    answer_pair(driver, words, choices[subject][index])
                    if subject == 1 and k == 3:
                        # A reload resumes at the same pair with the choices made so far.
                        driver.refresh()
                        wait_heading(driver, f"対 {k} / {len(pairs)}")
                        check(shown_pair(driver, pair_of_labels) == index, "the reload shows the same pair")
                        button(driver, "戻る").click()
                        wait_heading(driver, f"対 {k - 1} / {len(pairs)}")
                        group = by_name(driver, "[role=radiogroup]", words[0])
                        kept = by_name(group, "input[type=radio]", "AB"[choices[subject][seen[-2]][0]])
                        check(kept.is_selected(), "the answers given before the reload are kept")
                        button(driver, "次へ").click()
                        wait_heading(driver, f"対 {k} / {len(pairs)}")
                        answer_pair(driver, words, choices[subject][index])
                    if subject == 2 and k == 4:
                        # The connection drops as the answer is sent; it is sent again when it returns.
                        driver.set_network_conditions(offline=True, latency=0, download_throughput=-1,
                                                      upload_throughput=-1)
                        button(driver, "次へ").click()
                        WebDriverWait(driver, 20).until(
                            lambda d: "接続できません" in d.find_element(By.ID, "status").text)
                        check(heading(driver) == f"対 {k} / {len(pairs)}", "no move without the server")
                        driver.set_network_conditions(offline=False, latency=0, download_throughput=-1,
                                                      upload_throughput=-1)
                    else:
                        button(driver, "次へ").click()
                wait_text(driver, "ご協力ありがとうございました")
                check(sorted(seen) == list(range(len(pairs))), f"every pair shown once: {seen}")
                if subject == 0:
                    order_one = seen
                elif seen == order_one:
                    print("note: two subjects saw the same order")
            finally:
                driver.quit()
        status = program.wait(timeout=30)
        check(status == 0, f"the program ends by itself with status 0, not {status}")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()
    data = os.path.join(disk, "mix", SERIES, "端末.dat")
    expected = f"3,{len(pairs)},{len(words)}\r\n" + "".join(
        f"{v}\r\n" for subject in choices for pair in subject for v in pair)
    with open(data, "rb") as f:
        written = f.read().decode("ascii")
    check(written == expected, "the data file holds the subjects' choices in the series' order")
    shutil.rmtree(scratch, ignore_errors=True)
    return finish()


if __name__ == "__main__":
    sys.exit(main())

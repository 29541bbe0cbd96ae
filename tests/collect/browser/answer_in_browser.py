#!/usr/bin/python3
"""Subjects answer a running collection session in headless chromium, one after the other, through
the page's accessible names: the collection window's test runs it with the URL it read from the
window's QR code while the window keeps serving.

usage: answer_in_browser.py --probe
       answer_in_browser.py URL WORD,WORD,... SUBJECT...
SUBJECT gives one subject's choices pair by pair in the order shown, as "0110/1001/...": 0 is panel
"A", 1 is panel "B". A subject given fewer pairs than the session has stops after the last one,
once the page has moved on (the server acknowledged it). Exits 77 (skipped) when chromium,
chromedriver or selenium is missing; --probe only checks that.
"""
import sys

from answering_page import answer_pair, browser, finish, heading, press, wait_heading, wait_text


def answer(url, words, pairs):
    driver = browser()
    try:
        driver.get(url)
        press(driver, "開始")
        count = int(heading(driver, "対 1 / ").split("/")[-1])
        for k, choice in enumerate(pairs, start=1):
            wait_heading(driver, f"対 {k} / {count}")
            answer_pair(driver, words, [int(c) for c in choice])
            press(driver, "次へ")
        if len(pairs) == count:
            wait_text(driver, "ご協力ありがとうございました")
        else:
            wait_heading(driver, f"対 {len(pairs) + 1} / {count}")
    finally:
        driver.quit()


def main():
    if sys.argv[1:] == ["--probe"]:
        return 0
    url, words = sys.argv[1], sys.argv[2].split(",")
    if not url.startswith("http://127.0.0.1:"):
        print("refusing to send anything beyond 127.0.0.1:", url)
        return 1
    for subject in sys.argv[3:]:
        answer(url, words, subject.split("/"))
    return finish()


if __name__ == "__main__":
    sys.exit(main())

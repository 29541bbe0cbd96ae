"""Driving the answering page of a collection session in headless chromium, by the accessible
names a screen reader finds; shared by the browser tests of the batch program and of the window.

Importing it exits 77 (skipped) when chromium, chromedriver or selenium is missing.
"""
import os
import shutil
import sys

SKIP = 77
try:
    from selenium import webdriver
    from selenium.webdriver.chrome.options import Options
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.common.exceptions import NoSuchElementException, StaleElementReferenceException
    from selenium.webdriver.support.ui import WebDriverWait as SeleniumWait
except ImportError:
    print("selenium is not installed")
    sys.exit(SKIP)

CHROMEDRIVER = shutil.which("chromedriver") or "/usr/bin/chromedriver"
if not os.path.exists(CHROMEDRIVER) or not (shutil.which("chromium") or os.path.exists("/usr/bin/chromium")):
    print("chromium or chromedriver is not installed")
    sys.exit(SKIP)

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def finish():
    """The script's exit status from the checks made."""
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


def WebDriverWait(driver, timeout):
    """Waits through the page's re-rendering, which replaces the elements of each screen (an element
    not yet named, as `by_name` finds them, is waited for too)."""
    return SeleniumWait(driver, timeout, ignored_exceptions=(NoSuchElementException,
                                                             StaleElementReferenceException, AssertionError))


def browser():
    options = Options()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=412,915"):
        options.add_argument(argument)
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


def by_name(root, role_selector, name):
    """The element matching the selector whose accessible name is `name`."""
    for element in root.find_elements(By.CSS_SELECTOR, role_selector):
        if element.accessible_name == name:
            return element
    raise AssertionError(f"no {role_selector} named {name}")


def button(driver, name):
    return by_name(driver, "button", name)


def press(driver, name, timeout=20):
    """Presses the button named `name` once the page shows it."""
    WebDriverWait(driver, timeout).until(lambda d: button(d, name)).click()


def heading(driver, starting=""):
    """The heading's text once it starts with `starting`; read inside the wait, since a screen being
    replaced leaves a stale element behind."""
    def text(d):
        shown = d.find_element(By.TAG_NAME, "h1").text
        return shown if shown.startswith(starting) else False
    return WebDriverWait(driver, 30).until(text)


def wait_heading(driver, text):
    WebDriverWait(driver, 30).until(lambda d: d.find_element(By.TAG_NAME, "h1").text == text)


def wait_text(driver, text, timeout=30):
    """Waits until the page's main part contains `text`."""
    WebDriverWait(driver, timeout).until(lambda d: text in d.find_element(By.TAG_NAME, "main").text)


def answer_pair(driver, words, choice):
    for word, value in zip(words, choice):
        group = by_name(driver, "[role=radiogroup]", word)
        by_name(group, "input[type=radio]", "AB"[value]).click()

#include "collect/Page.h"

namespace kestrune::collect {
namespace {

// The token is kept in the browser's local storage under the page's own path, so a reload or a
// dropped connection resumes where the subject was. Every answer is resent until the server
// acknowledges it.
constexpr std::string_view kBefore = R"PAGE(<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>回答</title>
<style>
*{box-sizing:border-box}
body{margin:0;font-family:sans-serif;font-size:18px;line-height:1.5;color:#111;background:#fff}
main{max-width:40rem;margin:0 auto;padding:1rem}
h1{font-size:1.4rem;margin:.5rem 0 1rem}
h1:focus{outline:none}
.panels{display:flex;gap:.75rem;margin-bottom:1rem}
.panel{flex:1;border:2px solid #555;border-radius:.5rem;padding:.5rem;text-align:center}
.panel .name{display:block;font-size:1rem;color:#444}
.panel .code{display:block;font-size:2rem;font-weight:bold}
.word{display:flex;align-items:center;gap:.5rem;border-bottom:1px solid #ccc;padding:.4rem 0}
.word.missing{background:#fff0f0}
.word .label{flex:1;font-size:1.1rem}
.word label{display:inline-flex;align-items:center;justify-content:center;gap:.3rem;min-width:4.5rem;
 min-height:3rem;border:2px solid #555;border-radius:.5rem;padding:0 .6rem;font-size:1.2rem;cursor:pointer}
.word input{width:1.4rem;height:1.4rem;margin:0}
.word label:has(input:checked){background:#1d4f91;color:#fff;border-color:#1d4f91}
.word input:focus-visible{outline:3px solid #e08a00;outline-offset:2px}
.buttons{display:flex;gap:1rem;margin-top:1rem}
button{flex:1;min-height:3.2rem;font-size:1.2rem;border-radius:.5rem;border:2px solid #1d4f91;
 background:#1d4f91;color:#fff}
button.secondary{background:#fff;color:#1d4f91}
button:disabled{opacity:.4}
button:focus-visible{outline:3px solid #e08a00;outline-offset:2px}
.message{min-height:1.5rem;color:#a00000;font-weight:bold;margin:.5rem 0}
.status{color:#444;min-height:1.5rem}
.instructions{white-space:pre-wrap}
@media (orientation:landscape) and (min-width:40rem){.word .label{flex:0 0 50%}}
</style>
</head>
<body>
<main id="main">
<noscript><p>このページを使うには JavaScript を有効にしてください。</p></noscript>
</main>
<p class="status" id="status" role="status" aria-live="polite"></p>
<script type="application/json" id="session">)PAGE";

constexpr std::string_view kAfter = R"PAGE(</script>
<script>
"use strict";
(function () {
  var session = JSON.parse(document.getElementById("session").textContent);
  var base = location.pathname.replace(/\/+$/, "");
  var key = "kestrune-collect:" + base;
  var main = document.getElementById("main");
  var statusLine = document.getElementById("status");
  var state = null;
  var current = 0;
  var sending = false;

  function load() {
    try { return JSON.parse(localStorage.getItem(key) || "{}"); } catch (e) { return {}; }
  }
  function save(data) {
    try { localStorage.setItem(key, JSON.stringify(data)); } catch (e) {}
  }
  function el(tag, attrs, text) {
    var node = document.createElement(tag);
    for (var name in attrs || {}) node.setAttribute(name, attrs[name]);
    if (text !== undefined) node.textContent = text;
    return node;
  }
  function wait(ms) { return new Promise(function (r) { setTimeout(r, ms); }); }

  // Sends until the server answers; a dropped connection or a busy server is tried again.
  function post(path, body) {
    var attempt = 0;
    function once() {
      return fetch(base + "/" + path, {method: "POST", body: body, cache: "no-store",
                                       headers: {"Content-Type": "text/plain"}})
        .then(function (res) {
          if (res.status === 429 || res.status >= 500) throw new Error("retry");
          statusLine.textContent = "";
          return res.json().then(function (data) { return {status: res.status, data: data}; });
        })
        .catch(function () {
          attempt += 1;
          statusLine.textContent = "接続できません。もう一度送っています…";
          return wait(Math.min(5000, 500 * attempt)).then(once);
        });
    }
    return once();
  }

  function showStart() {
    main.textContent = "";
    var heading = el("h1", {tabindex: "-1"}, session.title);
    main.appendChild(heading);
    main.appendChild(el("p", {"class": "instructions"}, session.instructions));
    var start = el("button", {type: "button"}, "開始");
    start.addEventListener("click", function () {
      start.disabled = true;
      post("join", "").then(function (r) {
        if (r.status !== 200) { start.disabled = false; message(r.data.error || "参加できません。"); return; }
        var data = load(); data.token = r.data.token; data.current = 0; data.drafts = {}; save(data);
        fetchState();
      });
    });
    main.appendChild(el("p", {"class": "message", role: "alert", id: "message"}));
    main.appendChild(start);
    heading.focus();
  }

  function message(text) {
    var box = document.getElementById("message");
    if (box) box.textContent = text;
  }

  function showFinal() {
    var data = load(); data.finished = true; save(data);
    main.textContent = "";
    var heading = el("h1", {tabindex: "-1"}, "ご協力ありがとうございました");
    main.appendChild(heading);
    main.appendChild(el("p", {}, "回答はすべて記録されました。この画面を閉じてかまいません。"));
    heading.focus();
  }

  function fetchState() {
    var data = load();
    post("state", "token=" + data.token).then(function (r) {
      if (r.status !== 200) { save({}); showStart(); return; }
      state = r.data;
      if (state.finished) { showFinal(); return; }
      current = typeof data.current === "number" ? data.current : 0;
      if (current < 0 || current >= state.pairs.length) current = 0;
      showPair();
    });
  }

  function chosen(index) {
    var pair = state.pairs[current];
    var data = load();
    var draft = (data.drafts || {})[pair.index];
    if (draft && draft[index] !== undefined && draft[index] !== null) return draft[index];
    if (pair.answers) return pair.answers.charAt(index);
    return null;
  }

  function remember(index, value) {
    var pair = state.pairs[current];
    var data = load();
    data.drafts = data.drafts || {};
    var draft = data.drafts[pair.index] || [];
    draft[index] = value;
    data.drafts[pair.index] = draft;
    save(data);
  }

  function showPair() {
    var data = load(); data.current = current; save(data);
    var pair = state.pairs[current];
    main.textContent = "";
    var heading = el("h1", {tabindex: "-1"}, "対 " + (current + 1) + " / " + state.pairs.length);
    main.appendChild(heading);
    var panels = el("div", {"class": "panels"});
    [["A", pair.a], ["B", pair.b]].forEach(function (p) {
      var panel = el("section", {"class": "panel", "aria-label": p[0]});
      panel.appendChild(el("span", {"class": "name", "aria-hidden": "true"}, p[0]));
      panel.appendChild(el("span", {"class": "code"}, p[1]));
      panels.appendChild(panel);
    });
    main.appendChild(panels);
    var form = el("div", {"class": "words"});
    state.words.forEach(function (word, i) {
      var row = el("div", {"class": "word", role: "radiogroup", "aria-labelledby": "word-" + i});
      row.appendChild(el("span", {"class": "label", id: "word-" + i}, word));
      ["A", "B"].forEach(function (name, value) {
        var label = el("label");
        var input = el("input", {type: "radio", name: "word-" + i, value: String(value)});
        if (chosen(i) === String(value)) input.checked = true;
        input.addEventListener("change", function () {
          remember(i, String(value));
          row.classList.remove("missing");
        });
        label.appendChild(input);
        label.appendChild(document.createTextNode(name));
        row.appendChild(label);
      });
      form.appendChild(row);
    });
    main.appendChild(form);
    main.appendChild(el("p", {"class": "message", role: "alert", id: "message"}));
    var buttons = el("div", {"class": "buttons"});
    var back = el("button", {type: "button", "class": "secondary"}, "戻る");
    back.disabled = current === 0;
    back.addEventListener("click", function () {
      if (sending || current === 0) return;
      current -= 1; showPair();
    });
    var next = el("button", {type: "button"}, "次へ");
    next.addEventListener("click", function () { submit(back, next); });
    buttons.appendChild(back);
    buttons.appendChild(next);
    main.appendChild(buttons);
    heading.focus();
  }

  function submit(back, next) {
    if (sending) return;
    var values = "";
    var missing = [];
    state.words.forEach(function (word, i) {
      var input = main.querySelector("input[name='word-" + i + "']:checked");
      if (input) values += input.value; else missing.push(i);
    });
    main.querySelectorAll(".word").forEach(function (row, i) {
      row.classList.toggle("missing", missing.indexOf(i) >= 0);
    });
    if (missing.length) {
      message("まだ答えていない言葉があります: " +
              missing.map(function (i) { return state.words[i]; }).join("、"));
      main.querySelector("input[name='word-" + missing[0] + "']").focus();
      return;
    }
    message("");
    sending = true; back.disabled = true; next.disabled = true;
    var data = load();
    var pair = state.pairs[current];
    post("answer", "token=" + data.token + "&pair=" + pair.index + "&values=" + values).then(function (r) {
      sending = false;
      if (r.status === 409) { showFinal(); return; }
      if (r.status !== 200) {
        back.disabled = current === 0; next.disabled = false;
        if (r.status === 403) { save({}); showStart(); return; }
        message(r.data.error || "受け付けられませんでした。");
        return;
      }
      pair.answers = values;
      var d = load(); if (d.drafts) delete d.drafts[pair.index]; save(d);
      if (r.data.finished) { showFinal(); return; }
      if (current + 1 < state.pairs.length) current += 1;
      else current = Math.max(0, state.pairs.findIndex(function (p) { return !p.answers; }));
      showPair();
    });
  }

  var data = load();
  if (data.token) fetchState(); else showStart();
})();
</script>
</body>
</html>
)PAGE";

}  // namespace

std::string collectPage(std::string_view sessionJson) {
    std::string page;
    page.reserve(kBefore.size() + sessionJson.size() + kAfter.size());
    page.append(kBefore).append(sessionJson).append(kAfter);
    return page;
}

}  // namespace kestrune::collect

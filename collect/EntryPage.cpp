#include "collect/Page.h"

namespace kestrune::collect {

// The page at the server's root, for a subject who cannot scan the QR code: the short code is
// typed here and checked by the server (under its rate limit); a right code leads to the session,
// a wrong one is announced and reveals nothing else.
std::string codeEntryPage() {
    return R"PAGE(<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>参加</title>
<style>
*{box-sizing:border-box}
body{margin:0;font-family:sans-serif;font-size:18px;line-height:1.5;color:#111;background:#fff}
main{max-width:40rem;margin:0 auto;padding:1rem}
h1{font-size:1.4rem;margin:.5rem 0 1rem}
label{display:block;font-size:1.2rem;margin-bottom:.4rem}
input{width:100%;min-height:3.2rem;font-size:1.6rem;letter-spacing:.2em;text-transform:uppercase;
 border:2px solid #555;border-radius:.5rem;padding:0 .6rem}
button{width:100%;min-height:3.2rem;margin-top:1rem;font-size:1.2rem;border-radius:.5rem;
 border:2px solid #1d4f91;background:#1d4f91;color:#fff}
input:focus-visible,button:focus-visible{outline:3px solid #e08a00;outline-offset:2px}
.message{min-height:1.5rem;color:#a00000;font-weight:bold;margin:.5rem 0}
</style>
</head>
<body>
<main>
<h1>調査に参加</h1>
<form id="entry">
<label for="code">参加コード</label>
<input id="code" name="code" maxlength="6" autocomplete="off" autocapitalize="characters" spellcheck="false">
<button type="submit">参加</button>
</form>
<p class="message" id="message" role="alert"></p>
<noscript><p>このページを使うには JavaScript を有効にしてください。</p></noscript>
</main>
<script>
"use strict";
(function () {
  var form = document.getElementById("entry");
  var field = document.getElementById("code");
  var message = document.getElementById("message");
  var busy = false;
  function say(text) {
    message.textContent = "";
    setTimeout(function () { message.textContent = text; }, 50);
  }
  form.addEventListener("submit", function (event) {
    event.preventDefault();
    if (busy) return;
    var code = field.value.replace(/\s+/g, "").toUpperCase();
    if (!code) { say("参加コードを入力してください。"); field.focus(); return; }
    busy = true;
    fetch("/enter", {method: "POST", body: "code=" + encodeURIComponent(code), cache: "no-store",
                     headers: {"Content-Type": "application/x-www-form-urlencoded"}})
      .then(function (res) {
        return res.json().then(function (data) { return {status: res.status, data: data}; });
      })
      .then(function (r) {
        busy = false;
        if (r.status === 200 && r.data.path) { location.replace(r.data.path); return; }
        if (r.status === 429) say("少し待ってからもう一度入力してください。");
        else say("参加コードが違います。もう一度確かめて入力してください。");
        field.focus();
      })
      .catch(function () { busy = false; say("接続できません。もう一度押してください。"); });
  });
})();
</script>
</body>
</html>
)PAGE";
}

}  // namespace kestrune::collect

#include "app/remote/remotepage.h"

namespace sorvix::remote {

namespace {

const char Page[] = R"page(<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1, viewport-fit=cover">
<meta name="referrer" content="no-referrer">
<title>手机遥控</title>
<style>
html, body { margin: 0; height: 100%; }
body { font-family: -apple-system, "PingFang SC", "Noto Sans CJK SC", "Microsoft YaHei", sans-serif;
       background: #7a0c0c; color: #fff; display: flex; flex-direction: column; min-height: 100vh;
       -webkit-user-select: none; user-select: none; -webkit-tap-highlight-color: transparent; }
header { padding: 16px 20px 0; font-size: 15px; opacity: .85; display: flex; justify-content: space-between; }
#status { padding: 12px 20px; font-size: 24px; font-weight: bold; min-height: 1.4em; line-height: 1.4; }
#winners { flex: 1; overflow-y: auto; padding: 0 20px; }
#winners h2 { font-size: 16px; font-weight: normal; opacity: .85; margin: 8px 0; }
#names { margin: 0; padding-left: 1.8em; font-size: 22px; line-height: 1.6; }
#bar { margin-top: auto; padding: 16px 20px calc(24px + env(safe-area-inset-bottom)); }
#next { display: block; width: 100%; height: 34vh; min-height: 140px; max-height: 260px; border: 0;
        border-radius: 24px; font-size: 56px; font-weight: bold; color: #7a0c0c; background: #ffd54a;
        touch-action: manipulation; -webkit-appearance: none; appearance: none; }
#next.stop { background: #fff; color: #b01010; }
#next:disabled { opacity: .5; }
#note { font-size: 14px; text-align: center; opacity: .85; margin-top: 10px; min-height: 1.2em; }
</style>
</head>
<body>
<header><span>手机遥控</span><span id="round"></span></header>
<div id="status">正在连接电脑…</div>
<section id="winners" hidden><h2>本轮中奖</h2><ol id="names"></ol></section>
<div id="bar"><button id="next" type="button" disabled>开始</button><div id="note"></div></div>
<script>
(function () {
  var key = new URLSearchParams(location.search).get('k') || '';
  var query = '?k=' + encodeURIComponent(key);
  var button = document.getElementById('next');
  var sending = false, lastTap = 0, timer = null;
  function byId(id) { return document.getElementById(id); }
  function roundText(s) {
    if (!(s.rounds > 0)) return '';
    var text = s.rolling ? '第 ' + (s.round + 1) + ' / ' + s.rounds + ' 轮' : '已抽 ' + s.round + ' / ' + s.rounds + ' 轮';
    return (s.makeup ? '补抽 ' : '') + text;
  }
  function show(s) {
    byId('status').textContent = s.status || '';
    byId('round').textContent = roundText(s);
    button.textContent = s.rolling ? '停止' : '开始';
    button.className = s.rolling ? 'stop' : '';
    button.disabled = sending;
    var names = byId('names');
    names.textContent = '';
    (s.winners || []).forEach(function (name) {
      var item = document.createElement('li');
      item.textContent = name;
      names.appendChild(item);
    });
    byId('winners').hidden = s.rolling || names.children.length === 0;
    byId('note').textContent = '';
  }
  function fail(answer) {
    button.disabled = true;
    byId('note').textContent = answer && answer.status === 403
      ? '遥控已关闭或地址已更换，请重新扫描电脑上的二维码'
      : '暂时连不上电脑，正在重试…';
  }
  function ask(method, path) {
    return fetch(path + query, { method: method, cache: 'no-store' }).then(function (answer) {
      if (!answer.ok) throw answer;
      return answer.json();
    });
  }
  function poll() {
    clearTimeout(timer);
    ask('GET', '/api/state').then(show, fail).then(function () { timer = setTimeout(poll, 500); });
  }
  button.addEventListener('click', function () {
    var now = Date.now();
    // A double tap must not start and stop the round at once.
    if (sending || now - lastTap < 800) return;
    lastTap = now;
    sending = true;
    button.disabled = true;
    ask('POST', '/api/next').then(function (s) { sending = false; show(s); },
                                  function (answer) { sending = false; fail(answer); });
  });
  document.addEventListener('visibilitychange', function () { if (!document.hidden) poll(); });
  poll();
})();
</script>
</body>
</html>
)page";

} // namespace

const QByteArray &remotePage()
{
    static const QByteArray page = QByteArray::fromRawData(Page, sizeof Page - 1);
    return page;
}

} // namespace sorvix::remote

// The page's side of the web build's window layer (an emscripten JS library):
// the canvas inside its stage, the lines where messages appear, full screen,
// the waits that give the browser its turns, and the hook through which a test
// (window.norvexTestHook) sees each frame as it is shown and the demo's end.
mergeInto(LibraryManager.library, {
  $NorvexPage: {
    wake: null,       // resumes a wait for an event
    awake: false,     // the screen should stay on
    lock: null,       // the wake lock that keeps it on
    stage: function () { return document.getElementById('norvex-stage'); },
    canvas: function () { return document.getElementById('norvex-canvas'); },
    say: function (text, kind) {
      const line = document.createElement('p');
      line.className = kind;
      line.textContent = text;
      document.getElementById('norvex-messages').appendChild(line);
      return line;
    },
    // ?NAME=N, a whole number 0..most: N; -1 without it; -2, said on the
    // page, when it is no such number.
    wholeParameter: function (name, most, needs) {
      const text = new URLSearchParams(location.search).get(name);
      if (text === null) return -1;
      if (/^[0-9]{1,10}$/.test(text) && Number(text) <= most) return Number(text);
      NorvexPage.say('?' + name + ' needs ' + needs + ", not '" + text + "'", 'message');
      return -2;
    },
    hook: function (name, value) {
      const hook = window.norvexTestHook;
      if (hook && hook[name]) hook[name](value, NorvexPage.canvas());
    },
  },

  norvex_page_seed__deps: ['$NorvexPage'],
  norvex_page_seed: function () {
    return NorvexPage.wholeParameter('seed', 4294967295, 'a whole number 0..4294967295');
  },

  // ?max-fps=N: the frame-rate cap, as norvex's --max-fps.
  norvex_page_max_fps__deps: ['$NorvexPage'],
  norvex_page_max_fps: function () {
    return NorvexPage.wholeParameter('max-fps', 1000, 'frames a second, a whole number 0..1000 (0: no cap)');
  },

  // The stage, empty now, makes way, so that the line saying so is in view;
  // the line offers to start again.
  norvex_page_ended__deps: ['$NorvexPage'],
  norvex_page_ended: function (code) {
    NorvexPage.stage().hidden = true;
    const control = document.getElementById('norvex-full-screen');
    if (control) control.disabled = true;
    const line = NorvexPage.say('norvex has stopped' + (code ? ' (exit code ' + code + ')' : '') + '. ', 'ended');
    const again = document.createElement('button');
    again.id = 'norvex-start-again';
    again.type = 'button';
    again.textContent = 'Start again';
    again.onclick = () => location.reload();
    line.appendChild(again);
    NorvexPage.hook('onEnded', code);
  },

  norvex_page_new_canvas__deps: ['$NorvexPage'],
  // The window's title names the canvas; the page's own title says what norvex is.
  norvex_page_new_canvas: function (title) {
    const canvas = document.createElement('canvas');
    canvas.id = 'norvex-canvas';
    canvas.setAttribute('aria-label', UTF8ToString(title));
    NorvexPage.stage().appendChild(canvas);
  },

  norvex_page_remove_canvas__deps: ['$NorvexPage'],
  norvex_page_remove_canvas: function () {
    const canvas = NorvexPage.canvas();
    if (!canvas) return;
    // Its context goes now, not when the collector gets round to it.
    const gl = canvas.getContext('webgl2');
    const lose = gl && gl.getExtension('WEBGL_lose_context');
    if (lose) lose.loseContext();
    canvas.remove();
  },

  norvex_page_message__deps: ['$NorvexPage'],
  norvex_page_message: function (caption, text) {
    const line = UTF8ToString(caption) + ': ' + UTF8ToString(text);
    console.warn(line);
    NorvexPage.say(line, 'message');
  },

  norvex_page_cursor__deps: ['$NorvexPage'],
  norvex_page_cursor: function (shown) {
    const canvas = NorvexPage.canvas();
    if (canvas) canvas.style.cursor = shown ? '' : 'none';
  },

  // The screen saver is refused while a window exists, where the browser lets a page do so.
  norvex_page_keep_awake__deps: ['$NorvexPage'],
  norvex_page_keep_awake: function (on) {
    NorvexPage.awake = !!on;
    if (!on) {
      if (NorvexPage.lock) NorvexPage.lock.release().catch(() => {});
      NorvexPage.lock = null;
    } else if (navigator.wakeLock && !document.hidden) {
      navigator.wakeLock.request('screen').then(lock => {
        if (NorvexPage.awake) NorvexPage.lock = lock; else lock.release();
      }, () => {});
    }
  },

  norvex_page_showing_full_screen__deps: ['$NorvexPage'],
  norvex_page_showing_full_screen: function () {
    return document.fullscreenElement === NorvexPage.stage() ? 1 : 0;
  },

  // Browsers grant full screen only shortly after a key press or a click: 1
  // shown, -1 not without one (yet), 0 never (no such thing, or not allowed here).
  norvex_page_request_full_screen__deps: ['$NorvexPage', '$Asyncify'],
  norvex_page_request_full_screen: function () {
    return Asyncify.handleAsync(async () => {
      const stage = NorvexPage.stage();
      if (!stage.requestFullscreen || !document.fullscreenEnabled) return 0;
      if (navigator.userActivation && !navigator.userActivation.isActive) return -1;
      try {
        await stage.requestFullscreen({navigationUI: 'hide'});
        return 1;
      } catch (e) {
        return -1;
      }
    });
  },

  // From inside a key or click handler, while it counts as the visitor's; the
  // canvas takes the mode's size once the browser shows it.
  norvex_page_enter_full_screen__deps: ['$NorvexPage'],
  norvex_page_enter_full_screen: function () {
    const stage = NorvexPage.stage();
    if (stage.requestFullscreen) stage.requestFullscreen({navigationUI: 'hide'}).catch(() => {});
  },

  norvex_page_exit_full_screen__deps: ['$Asyncify'],
  norvex_page_exit_full_screen: function () {
    return Asyncify.handleAsync(async () => {
      if (document.fullscreenElement) await document.exitFullscreen().catch(() => {});
    });
  },

  // The frame is complete: the page shows it at its next frame, and the demo goes on then.
  // The hook is told inside the sleep's start, which runs once a frame: the
  // call itself runs again when the demo's stack is rewound after the sleep.
  norvex_page_frame_done__deps: ['$NorvexPage', '$Asyncify'],
  norvex_page_frame_done: function (frame) {
    return Asyncify.handleSleep(wakeUp => {
      NorvexPage.hook('onFrame', frame);
      requestAnimationFrame(() => wakeUp());
    });
  },

  norvex_page_wait_event__deps: ['$NorvexPage', '$Asyncify'],
  norvex_page_wait_event: function () {
    return Asyncify.handleSleep(wakeUp => { NorvexPage.wake = wakeUp; });
  },

  // The same, but the page's timer resumes it after ms at the latest.
  norvex_page_wait_event_timeout__deps: ['$NorvexPage', '$Asyncify'],
  norvex_page_wait_event_timeout: function (ms) {
    return Asyncify.handleSleep(wakeUp => {
      const timer = setTimeout(() => {
        if (NorvexPage.wake !== resume) return;
        NorvexPage.wake = null;
        wakeUp();
      }, ms);
      const resume = () => { clearTimeout(timer); wakeUp(); };
      NorvexPage.wake = resume;
    });
  },

  // Called from inside an event's handler: the wait resumes once the handler is done.
  norvex_page_wake__deps: ['$NorvexPage'],
  norvex_page_wake: function () {
    const wake = NorvexPage.wake;
    NorvexPage.wake = null;
    if (wake) setTimeout(() => wake(), 0);
  },
});

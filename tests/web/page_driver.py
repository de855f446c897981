#!/usr/bin/env python3
"""Drives the web build in Debian's headless Chromium (software WebGL) over the
DevTools protocol on a pipe (fds 3 and 4, NUL-separated JSON), standard library
only: loads the page with a frame hook installed, collects frames as PNG, sends
the browser's own key and mouse events, and reports uncaught script errors."""
import base64, fcntl, json, os, shutil, struct, subprocess, tempfile, threading, time, zlib

FLAGS = ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
         '--no-first-run', '--no-default-browser-check', '--window-size=1100,900', '--remote-debugging-pipe']

# Installed before the page's own scripts: frame numbers and times, chosen
# frames (read back from the canvas as raw RGBA, bottom row first, base64),
# and the demo's end.
HOOK = """window.norvexTestHook = {frames: 0, times: [], want: %s, grabs: {}, ended: null,
  onFrame(n, canvas) {
    this.frames = n;
    this.times.push(performance.now());
    if (!this.want.includes(n)) return;
    const gl = canvas.getContext('webgl2'), w = canvas.width, h = canvas.height;
    const pixels = new Uint8Array(w * h * 4);
    gl.bindFramebuffer(gl.READ_FRAMEBUFFER, null);
    gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
    let text = '';
    for (let i = 0; i < pixels.length; i += 8192) text += String.fromCharCode(...pixels.subarray(i, i + 8192));
    this.grabs[n] = [w, h, btoa(text)];
  },
  onEnded(code) { this.ended = code; }};"""


def grab_rgb(grab):
    """(width, height, RGB rows top first) of a frame the hook read back."""
    width, height, data = grab
    rgba = base64.b64decode(data)
    rows = [rgba[y * width * 4:(y + 1) * width * 4] for y in range(height)][::-1]
    return width, height, b''.join(bytes(v for i, v in enumerate(row) if i % 4 != 3) for row in rows)


KEYS = {'F1': 112, 'Escape': 27}


class Page:
    def __init__(self, url, grab=(), extra_flags=()):
        self.profile = tempfile.mkdtemp(prefix='norvex-chromium.')
        to_browser, self._out = os.pipe()
        self._in, from_browser = os.pipe()
        def wire():  # the pipe's ends may themselves be 3 or 4: move them clear first
            ends = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_browser, from_browser)]
            os.dup2(ends[0], 3)
            os.dup2(ends[1], 4)
        self.proc = subprocess.Popen(['chromium', *FLAGS, *extra_flags, '--user-data-dir=' + self.profile],
                                     preexec_fn=wire, close_fds=False, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=None)
        os.close(to_browser)
        os.close(from_browser)
        self.next_id, self.replies, self.errors, self.console = 0, {}, [], []
        self.lock = threading.Condition()
        threading.Thread(target=self._read, daemon=True).start()
        target = self.call('Target.createTarget', url='about:blank')['targetId']
        self.session = self.call('Target.attachToTarget', targetId=target, flatten=True)['sessionId']
        self.call('Runtime.enable', session=True)
        self.call('Page.enable', session=True)
        # Key events reach a page only while it has the focus, which headless windows lack.
        self.call('Emulation.setFocusEmulationEnabled', session=True, enabled=True)
        self.call('Page.addScriptToEvaluateOnNewDocument', session=True, source=HOOK % json.dumps(list(grab)))
        self.call('Page.navigate', session=True, url=url)

    def _read(self):
        buffer = b''
        while True:
            chunk = os.read(self._in, 1 << 16)
            if not chunk:
                break
            buffer += chunk
            while b'\0' in buffer:
                raw, buffer = buffer.split(b'\0', 1)
                message = json.loads(raw)
                with self.lock:
                    if message.get('method') == 'Runtime.exceptionThrown':
                        self.errors.append(message['params']['exceptionDetails'].get('exception', {})
                                           .get('description', message['params']['exceptionDetails']['text']))
                    if message.get('method') == 'Runtime.consoleAPICalled':
                        self.console.append(' '.join(str(a.get('value', a.get('description', '')))
                                                     for a in message['params']['args']))
                    if 'id' in message:
                        self.replies[message['id']] = message
                    self.lock.notify_all()

    def call(self, method, session=False, **params):
        with self.lock:
            self.next_id += 1
            ident = self.next_id
        message = {'id': ident, 'method': method, 'params': params}
        if session:
            message['sessionId'] = self.session
        os.write(self._out, json.dumps(message).encode() + b'\0')
        with self.lock:
            if not self.lock.wait_for(lambda: ident in self.replies, timeout=60):
                raise RuntimeError(method + ': no reply from the browser')
            reply = self.replies.pop(ident)
        if 'error' in reply:
            raise RuntimeError(method + ': ' + reply['error']['message'])
        return reply['result']

    def eval(self, expression):
        result = self.call('Runtime.evaluate', session=True, expression=expression, returnByValue=True)
        return result['result'].get('value')

    def wait_for(self, expression, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            value = self.eval(expression)
            if value:
                return value
            time.sleep(0.1)
        return None

    def key(self, name, hold=0.5):
        """Presses and releases a key as a user does, held over a few frames."""
        for kind in ('keyDown', 'keyUp'):
            self.call('Input.dispatchKeyEvent', session=True, type=kind, key=name, code=name,
                      windowsVirtualKeyCode=KEYS[name], nativeVirtualKeyCode=KEYS[name])
            if kind == 'keyDown':
                time.sleep(hold)

    def click(self, selector):
        """Presses and releases the left mouse button over the middle of an element."""
        box = self.eval("(() => { const r = document.querySelector('%s').getBoundingClientRect();"
                        " return [r.x + r.width / 2, r.y + r.height / 2]; })()" % selector)
        for kind in ('mousePressed', 'mouseReleased'):
            self.call('Input.dispatchMouseEvent', session=True, type=kind, x=box[0], y=box[1], button='left',
                      clickCount=1)

    def screenshot(self, path):
        data = self.call('Page.captureScreenshot', session=True, format='png')['data']
        with open(path, 'wb') as f:
            f.write(base64.b64decode(data))

    def close(self):
        try:
            self.call('Browser.close')
        except (RuntimeError, OSError):
            pass
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def read_png(data):
    """(width, height, RGB bytes) of an 8-bit RGB or RGBA PNG."""
    width, height, depth, kind = struct.unpack('>IIBB', data[16:26])
    assert depth == 8 and kind in (2, 6), 'PNG is not 8-bit RGB(A)'
    chunks, at = b'', 8
    while at < len(data):
        size, name = struct.unpack('>I4s', data[at:at + 8])
        if name == b'IDAT':
            chunks += data[at + 8:at + 8 + size]
        at += 12 + size
    raw, step = zlib.decompress(chunks), 3 if kind == 2 else 4
    stride, rows, previous = width * step, [], bytearray(width * step)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        method, row = line[0], bytearray(line[1:])
        for i in range(stride):
            a = row[i - step] if i >= step else 0
            b, c = previous[i], previous[i - step] if i >= step else 0
            if method == 1: row[i] = (row[i] + a) & 255
            elif method == 2: row[i] = (row[i] + b) & 255
            elif method == 3: row[i] = (row[i] + (a + b) // 2) & 255
            elif method == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row) if step == 3 else bytes(v for i, v in enumerate(row) if i % 4 != 3))
        previous = row
    return width, height, b''.join(rows)


def write_png(path, width, height, rgb):
    def chunk(name, body):
        return struct.pack('>I', len(body)) + name + body + struct.pack('>I', zlib.crc32(name + body))
    rows = b''.join(b'\0' + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
                chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    # page_driver.py URL FRAMES [SHOT.png]: runs the page to frame FRAMES, prints
    # its frames per second after the first tenth, and can take a picture then.
    import sys
    page = Page(sys.argv[1], extra_flags=['--window-size=%s' % os.environ.get('WINDOW', '1100,900')])
    try:
        frames = int(sys.argv[2])
        if page.wait_for('norvexTestHook.frames >= %d' % frames, 3600) is None:
            sys.exit('the page did not reach frame %d: %s' % (frames, page.errors))
        times = page.eval('norvexTestHook.times')
        first = frames // 10
        print('%.2f' % ((frames - first) / ((times[frames - 1] - times[first - 1]) / 1000)))
        if len(sys.argv) > 3:
            page.screenshot(sys.argv[3])
    finally:
        page.close()

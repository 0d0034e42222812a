# Debian's chromium, headless, driven through its DevTools protocol over a pipe,
# and the page of the browser copy served on 127.0.0.1 beside it.
import base64, contextlib, functools, http.server, io, json, os, select  # noqa: E401
import shutil, subprocess, tempfile, threading, time  # noqa: E401

from PIL import Image


def serve(folder):  # on a free port; answers the page's address and the server
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/", server


def wait_for(what, seconds=10):  # what() once true, or its last answer after `seconds`
    deadline = time.monotonic() + seconds
    while not (answer := what()) and time.monotonic() < deadline:
        time.sleep(0.1)
    return answer


class Browser:
    # One headless chromium and its tabs, its profile new and thrown away at the end.
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="lirvo-chromium-")
        to_browser, self._commands = os.pipe()
        self._answers, from_browser = os.pipe()
        # The protocol's pipe takes commands on 3 and answers on 4. WebGL without a GPU comes from SwiftShader;
        # as root, chromium runs only without its sandbox; a closed network refuses background connections.
        self.process = subprocess.Popen(
            ["/usr/bin/chromium", "--headless", "--remote-debugging-pipe", "--no-sandbox", "--use-angle=swiftshader",
             "--enable-unsafe-swiftshader", "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--disable-quic", "--mute-audio",
             f"--user-data-dir={self.profile}", "about:blank"], close_fds=False, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, preexec_fn=lambda: [os.set_inheritable(os.dup2(fd, n), True)
                                                          for fd, n in ((to_browser, 3), (from_browser, 4))])
        os.close(to_browser)
        os.close(from_browser)
        self._next, self._buffer, self.events = 0, b"", []
        self.session = self.tab()

    def tab(self):  # opens another tab, which comes to the front, and answers its session; self.session drives one
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for method in ("Page.enable", "Runtime.enable"):
            self.call(method, session=session)
        return session

    def close_tab(self, session):  # as the player closes it, and waits until it has gone
        self.call("Page.close", session=session)
        while not any(e.get("method") == "Target.detachedFromTarget" and e["params"]["sessionId"] == session
                      for e in self.events):
            self.events.append(self._read())

    def call(self, method, session=None, **params):
        self._next += 1
        message = {"id": self._next, "method": method, "params": params} | ({"sessionId": session} if session else {})
        os.write(self._commands, json.dumps(message).encode() + b"\0")
        while (answer := self._read()).get("id") != self._next:
            self.events.append(answer)
        if "error" in answer:
            raise RuntimeError(f"{method}: {answer['error']}")
        return answer["result"]

    def page(self, method, **params):
        return self.call(method, session=self.session, **params)

    def _read(self):
        while b"\0" not in self._buffer:
            chunk = select.select([self._answers], [], [], 60)[0] and os.read(self._answers, 1 << 20)
            if not chunk:
                raise RuntimeError("chromium went away, or said nothing for a minute")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def load(self, url=None):  # opens `url`, or reloads the page, and waits for its load event
        seen = len(self.events)
        self.page("Page.navigate", url=url) if url else self.page("Page.reload")
        while not any(e.get("method") == "Page.loadEventFired" and e.get("sessionId") == self.session
                      for e in self.events[seen:]):
            self.events.append(self._read())

    def evaluate(self, expression):  # promises awaited
        result = self.page("Runtime.evaluate", expression=expression, awaitPromise=True, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def console(self):  # what the page has written to its console so far
        self.evaluate("0")  # gathers the events sent until now
        return [" ".join(str(a.get("value", a.get("description", ""))) for a in e["params"]["args"])
                for e in self.events if e.get("method") == "Runtime.consoleAPICalled"]

    def viewport(self, width, height, scale, mobile=False):
        self.page("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                  mobile=mobile)

    def screenshot(self, path=None):
        png = base64.b64decode(self.page("Page.captureScreenshot", format="png")["data"])
        if path:
            with open(path, "wb") as f:
                f.write(png)
        return Image.open(io.BytesIO(png)).convert("RGB")

    def mouse(self, kind, at, buttons=1):
        self.page("Input.dispatchMouseEvent", type=kind, x=at[0], y=at[1], button="left", buttons=buttons,
                  clickCount=1)

    def press(self, at):  # the button down where the pointer has moved to, as a real mouse's is
        self.mouse("mouseMoved", at, buttons=0)
        self.mouse("mousePressed", at)

    def click(self, at):
        self.press(at)
        self.mouse("mouseReleased", at, buttons=0)

    def touch(self, kind, points):  # a finger on each point; touchEnd with none lifts them all
        self.page("Input.dispatchTouchEvent", type=kind,
                  touchPoints=[{"x": p[0], "y": p[1], "id": i} for i, p in enumerate(points)])

    def close(self):
        with contextlib.suppress(RuntimeError, subprocess.TimeoutExpired):  # it may go before it answers
            self.call("Browser.close")
            self.process.wait(timeout=10)
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)

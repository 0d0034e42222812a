"""Debian's chromium, headless, driven through its DevTools protocol over a pipe,
and the page of the browser copy served on 127.0.0.1 beside it."""
import base64
import functools
import http.server
import io
import json
import os
import select
import shutil
import subprocess
import tempfile
import threading
import time

from PIL import Image

CHROMIUM = "/usr/bin/chromium"


def serve(folder):
    """Serves `folder` on a free port of 127.0.0.1; answers the page's address."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f"http://127.0.0.1:{server.server_address[1]}/"


class Browser:
    """One headless chromium with one page, its profile new and thrown away at the end."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="lirvo-chromium-")
        to_browser, self._commands = os.pipe()
        self._answers, from_browser = os.pipe()

        def pipes():  # the protocol's pipe: commands come in on 3, answers go out on 4
            os.dup2(to_browser, 3)
            os.dup2(from_browser, 4)
            for fd in (3, 4):
                os.set_inheritable(fd, True)
        # WebGL without a GPU, from SwiftShader; as root only without the sandbox; and none of the
        # background connections that a closed network refuses.
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--remote-debugging-pipe", "--no-sandbox", "--use-angle=swiftshader",
             "--enable-unsafe-swiftshader", "--no-first-run", "--disable-background-networking",
             "--disable-component-update", "--disable-sync", "--disable-quic", "--mute-audio",
             f"--user-data-dir={self.profile}", "about:blank"],
            preexec_fn=pipes, close_fds=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self._next = 0
        self._buffer = b""
        self.events = []
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Runtime"):
            self.page(f"{domain}.enable")

    def call(self, method, session=None, **params):
        self._next += 1
        message = {"id": self._next, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._commands, json.dumps(message).encode() + b"\0")
        while True:
            answer = self._read()
            if answer.get("id") == self._next:
                if "error" in answer:
                    raise RuntimeError(f"{method}: {answer['error']}")
                return answer["result"]
            self.events.append(answer)

    def page(self, method, **params):
        return self.call(method, session=self.session, **params)

    def _read(self, seconds=60):
        while b"\0" not in self._buffer:
            if not select.select([self._answers], [], [], seconds)[0]:
                raise RuntimeError(f"chromium said nothing for {seconds} s")
            chunk = os.read(self._answers, 1 << 20)
            if not chunk:
                raise RuntimeError("chromium went away")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def load(self, url=None):
        """Opens `url`, or reloads the page, and waits for its load event."""
        seen = len(self.events)
        if url:
            self.page("Page.navigate", url=url)
        else:
            self.page("Page.reload")
        while not any(e.get("method") == "Page.loadEventFired" for e in self.events[seen:]):
            self.events.append(self._read())

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page, promises awaited."""
        result = self.page("Runtime.evaluate", expression=expression, awaitPromise=True, returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def console(self):
        """What the page has written to its console so far."""
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

    def press(self, at):
        """The button down where the pointer has moved to, as a real mouse's is."""
        self.mouse("mouseMoved", at, buttons=0)
        self.mouse("mousePressed", at)

    def click(self, at):
        self.press(at)
        self.mouse("mouseReleased", at, buttons=0)

    def touch(self, kind, points):
        """Fingers as (id, (x, y)); touchEnd with none lifts them all."""
        self.page("Input.dispatchTouchEvent", type=kind,
                  touchPoints=[{"x": p[0], "y": p[1], "id": i} for i, p in points])

    def close(self):
        try:
            self.call("Browser.close")
        except RuntimeError:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def wait_for(what, seconds=10, step=0.1):
    """`what()` once true, or its last answer after `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        answer = what()
        if answer or time.monotonic() > deadline:
            return answer
        time.sleep(step)

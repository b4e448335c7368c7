"""An X server of the case's own and the tools that drive it.

Each case starts its own Xvfb on the first free display from :80 on. Two
cases that pick the same number at once are told apart by Xvfb itself: the
one that loses the display's lock file exits, and this module tries the next
number. Readiness comes from Xvfb's -displayfd report, so no sleep guesses
when the server accepts connections.
"""

import ctypes
import os
import select
import signal
import subprocess
import time

FIRST_DISPLAY = 80
LAST_DISPLAY = 179
REQUIRED_TOOLS = ["Xvfb", "xdotool", "xclip", "setxkbmap", "import"]


class DesktopError(Exception):
    pass


def _die_with_parent():
    """Makes a child end when the driver ends, also when it is killed."""
    libc = ctypes.CDLL(None, use_errno=True)
    PR_SET_PDEATHSIG = 1
    libc.prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


def spawn(args, **kwargs):
    return subprocess.Popen(args, preexec_fn=_die_with_parent, **kwargs)


def missing_tools():
    from shutil import which

    return [tool for tool in REQUIRED_TOOLS if which(tool) is None]


class XServer:
    def __init__(self, log_path):
        self.log_path = log_path
        self.process = None
        self.display = None

    def start(self):
        for number in range(FIRST_DISPLAY, LAST_DISPLAY + 1):
            if os.path.exists("/tmp/.X%d-lock" % number):
                continue
            if self._try(number):
                self.display = ":%d" % number
                return self.display
        raise DesktopError("no free X display between :%d and :%d" % (FIRST_DISPLAY, LAST_DISPLAY))

    def _try(self, number):
        read_end, write_end = os.pipe()
        log = open(self.log_path, "ab")
        process = spawn(
            [
                "Xvfb",
                ":%d" % number,
                "-screen",
                "0",
                "1280x1024x24",
                "-noreset",
                "-nolisten",
                "tcp",
                "-displayfd",
                str(write_end),
            ],
            stdout=log,
            stderr=log,
            pass_fds=(write_end,),
        )
        os.close(write_end)
        log.close()
        reported = b""
        deadline = time.monotonic() + 15
        try:
            while time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], 0.2)
                if ready:
                    chunk = os.read(read_end, 64)
                    if not chunk:
                        break  # Xvfb ended: the display was taken
                    reported += chunk
                    if reported.endswith(b"\n"):
                        break
                elif process.poll() is not None:
                    break
        finally:
            os.close(read_end)
        if reported.strip() == str(number).encode() and process.poll() is None:
            self.process = process
            return True
        if process.poll() is None:
            process.kill()
        process.wait()
        return False

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


class Desktop:
    """xdotool, xclip, setxkbmap and import on one display."""

    def __init__(self, display):
        self.display = display
        self.env = dict(os.environ, DISPLAY=display)

    def run(self, *args, check=True, timeout=10, input_bytes=None):
        result = subprocess.run(
            list(args),
            env=self.env,
            input=input_bytes,
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            timeout=timeout,
        )
        if check and result.returncode != 0:
            raise DesktopError(
                "%s failed (%d): %s" % (" ".join(args), result.returncode, result.stderr.decode(errors="replace"))
            )
        return result

    def xdotool(self, *args, check=True):
        return self.run("xdotool", *[str(a) for a in args], check=check).stdout.decode("utf-8", "replace")

    def set_keyboard_layout(self, layout):
        self.run("setxkbmap", "-display", self.display, layout)

    # --- windows ------------------------------------------------------------
    def windows_of(self, pid):
        """Visible top-level windows of a process, as X window ids."""
        out = self.run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), check=False)
        return [int(w) for w in out.stdout.split()]

    def geometry(self, window):
        out = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def name(self, window):
        result = self.run("xdotool", "getwindowname", str(window), check=False)
        return result.stdout.decode("utf-8", "replace").rstrip("\n")

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def focused_window(self):
        result = self.run("xdotool", "getwindowfocus", "-f", check=False)
        try:
            return int(result.stdout.split()[0])
        except (IndexError, ValueError):
            return None

    def move_window(self, window, x, y):
        self.xdotool("windowmove", "--sync", window, x, y)

    # --- input --------------------------------------------------------------
    def click(self, x, y, button=1):
        # No --sync: it waits for ever when the pointer is already there.
        self.xdotool("mousemove", x, y, "sleep", "0.05", "click", button)

    def key(self, *keys):
        self.xdotool("key", "--delay", "40", *keys)

    def type_text(self, text):
        """Types text; each line break becomes a press of Return."""
        for number, line in enumerate(text.split("\n")):
            if number:
                self.key("Return")
            if line:
                self.xdotool("type", "--delay", "15", "--", line)

    # --- clipboard and screen -----------------------------------------------
    def clipboard(self):
        """The clipboard text, or None when nobody offers one."""
        result = self.run("xclip", "-o", "-selection", "clipboard", check=False, timeout=5)
        if result.returncode != 0:
            return None
        return result.stdout.decode("utf-8", "replace")

    def set_clipboard(self, text):
        """Offers text on the clipboard, as another program would: xclip
        stays in the background to serve it until someone else takes over."""
        subprocess.run(
            ["xclip", "-i", "-selection", "clipboard"],
            env=self.env,
            input=text.encode("utf-8"),
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            timeout=5,
            check=True,
        )

    def screenshot(self, path):
        self.run("import", "-display", self.display, "-window", "root", path, check=False, timeout=20)
        return path

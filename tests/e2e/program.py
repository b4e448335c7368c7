"""One running instance of the program under the case's X server.

The instance gets the case's own HOME and XDG_CONFIG_HOME, is driven by
clicks at the layout's coordinates and by keys, and is observed through its
windows, the clipboard and the files it writes.
"""

import os
import subprocess
import time

import layout
from xdesktop import DesktopError, spawn

SETTINGS_RELATIVE = os.path.join("Veltrano", "Veltrano.conf")


class CaseFailure(AssertionError):
    pass


def wait_for(what, probe, timeout=10.0, interval=0.05):
    """Polls probe() until it returns something true; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise CaseFailure("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


def read_settings(path):
    """The "Options" section of an INI settings file as a dict (or {})."""
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except FileNotFoundError:
        return {}
    section, values = None, {}
    for line in lines:
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
        elif "=" in line and section == "Options":
            key, value = line.split("=", 1)
            value = value.strip()
            if len(value) >= 2 and value[0] == value[-1] == '"':
                value = value[1:-1]
            values[key.strip()] = value
    return values


class Home:
    """The case's private home and configuration folders."""

    def __init__(self, root):
        self.root = root
        self.home = os.path.join(root, "home")
        self.config = os.path.join(self.home, ".config")
        self.documents = os.path.join(self.home, "Documents")
        self.data = os.path.join(self.home, "data")
        for folder in (self.config, self.documents, self.data):
            os.makedirs(folder, exist_ok=True)

    @property
    def settings_path(self):
        return os.path.join(self.config, SETTINGS_RELATIVE)

    def preset_settings(self, **values):
        """Writes the settings file as a previous run would have left it."""
        values.setdefault("FirstStart", "True")
        values.setdefault("EinstellungSpeicherOrt", "1")
        values.setdefault("EinstellungSpeicherPfad", self.data + "/")
        os.makedirs(os.path.dirname(self.settings_path), exist_ok=True)
        with open(self.settings_path, "w", encoding="utf-8") as f:
            f.write("[Options]\n")
            for key, value in values.items():
                f.write("%s=%s\n" % (key, value))

    def settings(self):
        return read_settings(self.settings_path)


class Veltrano:
    def __init__(self, program, desktop, home, log_path, args=()):
        self.program = program
        self.args = list(args)
        self.desktop = desktop
        self.home = home
        self.log_path = log_path
        self.process = None
        self.main = None

    # --- life ---------------------------------------------------------------
    def start(self, expect_dialog=False):
        env = dict(self.desktop.env)
        for name in ("XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
                     "XDG_DATA_HOME", "XDG_DOCUMENTS_DIR", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS"):
            env.pop(name, None)
        env.update(
            HOME=self.home.home,
            XDG_CONFIG_HOME=self.home.config,
            XDG_RUNTIME_DIR=self.home.root,
            QT_QPA_PLATFORM="xcb",
            QT_ACCESSIBILITY="0",
            NO_AT_BRIDGE="1",
            LANG="C.UTF-8",
        )
        env.pop("LC_ALL", None)
        os.chmod(self.home.root, 0o700)
        log = open(self.log_path, "ab")
        log.write(b"--- start ---\n")
        log.flush()
        self.process = spawn([self.program] + self.args, env=env, stdout=log, stderr=log, cwd=self.home.home)
        log.close()
        self.main = wait_for("the main window", self._find_main, timeout=15)
        # The window is mapped; give the toolkit a moment to lay it out and
        # settle its position before anything is measured or clicked.
        self._wait_geometry_stable()
        if not expect_dialog:
            self.focus_main()
        return self

    def _find_main(self):
        self._check_running()
        best, best_area = None, 0
        for window in self.desktop.windows_of(self.process.pid):
            try:
                _, _, width, height = self.desktop.geometry(window)
            except DesktopError:
                continue
            if width >= layout.CENTRAL_WIDTH_PX - 2 and height >= layout.CENTRAL_HEIGHT_PX and width * height > best_area:
                best, best_area = window, width * height
        return best

    def _wait_geometry_stable(self):
        last, stable_since = None, time.monotonic()
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline:
            current = self.desktop.geometry(self.main)
            if current != last:
                last, stable_since = current, time.monotonic()
            elif time.monotonic() - stable_since >= 0.3:
                return current
            time.sleep(0.05)
        return last

    def _check_running(self):
        if self.process.poll() is not None:
            raise CaseFailure("the program ended unexpectedly with status %s" % self.process.returncode)

    def running(self):
        return self.process is not None and self.process.poll() is None

    def wait_exit(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise CaseFailure("the program did not end within %d s" % timeout)

    def kill(self):
        if self.running():
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    # --- geometry and input -------------------------------------------------
    def window_geometry(self):
        return self.desktop.geometry(self.main)

    def origin(self):
        """Screen position of the central area's top left corner."""
        x, y, _, height = self.window_geometry()
        return x, y + height - layout.CENTRAL_HEIGHT_PX

    def focus_main(self):
        self._check_running()
        self.desktop.focus(self.main)

    def click(self, control):
        self._check_running()
        ox, oy = self.origin()
        cx, cy = layout.centre_px(control)
        self.desktop.click(ox + cx, oy + cy)
        time.sleep(0.05)

    def set_text(self, control, text):
        """Replaces a text box's content by typing."""
        self.click(control)
        self.desktop.key("ctrl+a", "BackSpace")
        if text:
            self.desktop.type_text(text.replace("\r\n", "\n"))

    def key(self, *keys):
        self._check_running()
        self.desktop.key(*keys)

    def menu(self, access_key, *item_keys):
        """Opens a menu with Alt and its access key, then presses item keys."""
        self.focus_main()
        before = set(self.desktop.windows_of(self.process.pid))
        self.key("alt+" + access_key)
        try:
            wait_for("the menu to open", lambda: set(self.desktop.windows_of(self.process.pid)) - before, timeout=3)
        except CaseFailure:
            pass  # a popup the search does not list; the keys still reach it
        time.sleep(0.1)
        self.key(*item_keys)

    # --- other windows ------------------------------------------------------
    def other_windows(self):
        return [w for w in self.desktop.windows_of(self.process.pid) if w != self.main]

    def wait_window(self, what, predicate=lambda window, name: True, timeout=10):
        def probe():
            self._check_running()
            for window in self.other_windows():
                if predicate(window, self.desktop.name(window)):
                    return window
            return None

        return wait_for(what, probe, timeout=timeout)

    def wait_window_gone(self, window, what, timeout=10):
        wait_for(what, lambda: window not in self.desktop.windows_of(self.process.pid), timeout=timeout)

    def close_modal(self, window, key="Return"):
        """Closes a modal box from the keyboard and gives the main window the focus."""
        self.desktop.focus(window)
        self.desktop.key(key)
        self.wait_window_gone(window, "the box to close")
        self.focus_main()

    # --- clipboard ----------------------------------------------------------
    def copy_code(self, expected, timeout=5):
        """Presses Ctrl+C and waits until the clipboard holds the expected text."""
        self._check_running()
        self.desktop.key("ctrl+c")
        seen = []

        def probe():
            text = self.desktop.clipboard()
            if not seen or seen[-1] != text:
                seen.append(text)
            return text == expected

        try:
            wait_for("the code on the clipboard", probe, timeout=timeout, interval=0.1)
        except CaseFailure:
            raise CaseFailure(
                "clipboard after Ctrl+C:\n  got      %r\n  expected %r" % (seen[-1] if seen else None, expected)
            )

    # --- file dialogs -------------------------------------------------------
    def file_dialog(self, path):
        """Types a full path into the file dialog that is open and confirms it."""
        dialog = self.wait_window("a file dialog", timeout=10)
        self.desktop.focus(dialog)
        time.sleep(0.2)
        self.desktop.key("ctrl+a")
        self.desktop.type_text(path)
        # A completion list may take the first Return; confirm until the
        # dialog has gone.
        for _ in range(3):
            self.desktop.focus(dialog)
            self.desktop.key("Return")
            try:
                self.wait_window_gone(dialog, "the file dialog to close", timeout=1.5)
                break
            except CaseFailure:
                continue
        else:
            raise CaseFailure("the file dialog stayed open after typing %s and Return" % path)
        self.focus_main()

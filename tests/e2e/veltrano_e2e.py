#!/usr/bin/env python3
"""Runs one end-to-end case of the real program under its own Xvfb.

    veltrano_e2e.py --program build/app/veltrano --workdir DIR CASE

The work folder is emptied first; it receives the case's home folder, the
logs of the X server and the program, and on failure a screenshot.
"""

import argparse
import os
import shutil
import signal
import sys
import time
import traceback

import cases
from program import CaseFailure, Home, Veltrano
from xdesktop import Desktop, XServer, missing_tools


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--workdir", required=True)
    parser.add_argument("case", choices=sorted(cases.CASES))
    options = parser.parse_args()

    missing = missing_tools()
    if missing:
        print("FAIL: missing tools %s (scripts/setup-tests.sh installs them)" % ", ".join(missing))
        return 1
    if not os.access(options.program, os.X_OK):
        print("FAIL: no program at %s" % options.program)
        return 1

    workdir = os.path.abspath(options.workdir)
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    # A terminating test runner ends the case through the cleanup below.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))

    started = time.monotonic()
    server = XServer(os.path.join(workdir, "xvfb.log"))
    instances = []
    desktop = None
    home = Home(workdir)
    try:
        display = server.start()
        desktop = Desktop(display)
        desktop.set_keyboard_layout("de")

        def start(preset=None, expect_dialog=False, args=()):
            if preset is not None:
                home.preset_settings(**preset)
            app = Veltrano(options.program, desktop, home, os.path.join(workdir, "program.log"), args)
            instances.append(app)
            return app.start(expect_dialog=expect_dialog)

        start.home = home

        function = cases.CASES[options.case]
        if options.case in cases.FACTORY_CASES:
            function(start)
        else:
            function(start(preset={}))
            for app in instances:
                if not app.running():
                    raise CaseFailure("the program ended during the case (status %s)" % app.process.returncode)
        print("PASS: %s (%.1f s, display %s)" % (options.case, time.monotonic() - started, display))
        return 0
    except Exception as error:  # noqa: BLE001 - every failure is reported the same way
        print("FAIL: %s: %s" % (options.case, error))
        if not isinstance(error, CaseFailure):
            traceback.print_exc(file=sys.stdout)
        if desktop is not None:
            shot = desktop.screenshot(os.path.join(workdir, "failure.png"))
            if os.path.exists(shot):
                print("screenshot: %s" % shot)
        _print_tail(os.path.join(workdir, "program.log"))
        return 1
    finally:
        for app in instances:
            app.kill()
        server.stop()


def _print_tail(path, lines=30):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            tail = f.read().splitlines()[-lines:]
    except OSError:
        return
    if tail:
        print("program output (%s):" % path)
        for line in tail:
            print("  " + line)


if __name__ == "__main__":
    sys.exit(main())

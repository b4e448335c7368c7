"""Drives the program and the model side by side.

Every user action is done on the real window and mirrored in the model, so
that each observation (clipboard, files) can be compared with what the model
expects at that moment.
"""

import codemodel
from program import CaseFailure

STYLE_NAMES = {0: "Select Case", 1: "If Then Else", 2: "einfach", 3: "VBS"}


class Driver:
    def __init__(self, app):
        self.app = app
        self.model = codemodel.Model()

    def icon(self, index):
        self.app.click("optIcons(%d)" % index)
        self.model.click_icon(index)

    def buttons(self, index):
        self.app.click("optButtons(%d)" % index)
        self.model.click_buttons(index)

    def default(self, index):
        self.app.click("optDefaultButton(%d)" % index)
        self.model.click_default(index)

    def code(self, index):
        self.app.click("optCode(%d)" % index)
        self.model.click_code(index)

    def system_modal(self):
        self.app.click("chkSystemModal")
        self.model.toggle_system_modal()

    def help_button(self):
        self.app.click("chkHelpButton")
        self.model.toggle_help_button()

    def title(self, text):
        self.app.set_text("txtTitel", text)
        self.model.title = text

    def message(self, text):
        """Types a message; line breaks in text are CR LF as the box keeps them."""
        self.app.set_text("txtMessage", text)
        self.model.message = text

    def copy(self, focus=None, literal=None, timeout=5):
        """Ctrl+C, optionally with the focus moved to a text box first; the
        clipboard must hold the model's code (and literal, if given)."""
        if focus:
            self.app.click(focus)
        expected = codemodel.generate(self.model)
        if literal is not None and literal != expected:
            raise CaseFailure("the suite's model disagrees with a hand-written result:\n  %r\n  %r" % (expected, literal))
        self.app.copy_code(expected, timeout=timeout)
        return expected

    def run(self, steps):
        """Runs a list of (action, argument...) tuples."""
        for step in steps:
            action, args = step[0], step[1:]
            if action == "copy":
                self.copy(*args)
            else:
                getattr(self, action)(*args)

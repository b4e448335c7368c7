"""What the program should produce for a message box definition.

An independent model of the definition the main window edits and of the
code, definition file and script file made from it. The end-to-end cases
mirror every click in a Model and compare the program's output with what
the model computes from the same choices.
"""

CR = "\r"
CRLF = "\r\n"
JOINER = '" & vbcr & "'

BUTTON_NAMES = {
    0: "vbOKOnly",
    1: "vbOKCancel",
    2: "vbAbortRetryIgnore",
    3: "vbYesNoCancel",
    4: "vbYesNo",
    5: "vbRetryCancel",
}
ICON_NAMES = {0: "", 16: "vbCritical", 32: "vbQuestion", 48: "vbExclamation", 64: "vbInformation"}
DEFAULT_NAMES = {0: "vbDefaultButton1", 256: "vbDefaultButton2", 512: "vbDefaultButton3"}
BUTTON_COUNT = {0: 1, 1: 2, 2: 3, 3: 3, 4: 2, 5: 2}

SELECT_CASE, IF_THEN_ELSE, SIMPLE, VBS = 0, 1, 2, 3


class Model:
    """The definition as the option handlers keep it."""

    def __init__(self):
        self.icon_value = 0
        self.icon_name = ""
        self.buttons_value = 0
        self.buttons_name = "vbOKOnly"  # preset by start-up
        self.default_value = 0
        self.default_name = ""  # empty until a default button is chosen
        self.code = SELECT_CASE
        self.system_modal = False
        self.help_button = False
        self.title = ""
        self.message = ""  # line breaks CR LF

    # --- the handlers -------------------------------------------------------
    def click_icon(self, index):
        self.icon_value = index
        self.icon_name = ICON_NAMES[index]

    def click_buttons(self, index):
        self.buttons_value = index
        self.buttons_name = BUTTON_NAMES[index]
        # The reset selects the first default button, which runs its handler.
        self.click_default(0)

    def click_default(self, index):
        if index >= 256 and BUTTON_COUNT[self.buttons_value] < 2:
            raise ValueError("default button %d is hidden" % index)
        if index >= 512 and BUTTON_COUNT[self.buttons_value] < 3:
            raise ValueError("default button %d is hidden" % index)
        self.default_value = index
        self.default_name = DEFAULT_NAMES[index]

    def click_code(self, index):
        self.code = index
        if index == VBS:
            self.help_button = False

    def toggle_help_button(self):
        # Under "VBS" the box refuses the tick.
        self.help_button = not self.help_button and self.code != VBS

    def toggle_system_modal(self):
        self.system_modal = not self.system_modal

    def help_marker_visible(self):
        return self.help_button

    # --- commands -----------------------------------------------------------
    def new(self):
        self.click_icon(0)
        self.click_buttons(0)
        self.click_default(0)
        self.click_code(SELECT_CASE)
        self.title = ""
        self.message = ""

    def load(self, data):
        """Applies a definition file's bytes as Open does."""
        text = data.decode("cp1252")
        lines = text.replace(CRLF, CR).split(CR)
        if lines and lines[-1] == "":
            lines.pop()  # the last line end closes the last line
        self.click_icon(int(lines[0]))
        self.click_buttons(int(lines[1]))
        self.click_default(int(lines[2]))
        self.click_code(int(lines[3]))
        self.title = lines[4]
        self.message = CRLF.join(lines[5:])  # the writer's line end after it is dropped

    def definition_file(self):
        """The bytes Save and Save As write."""

        def number(value):
            return " %d %s" % (value, CRLF)

        text = (
            number(self.icon_value)
            + number(self.buttons_value)
            + number(self.default_value)
            + number(self.code)
            + self.title
            + CRLF
            + self.message
            + CRLF
        )
        return text.encode("cp1252")

    def script_file(self):
        """The bytes the script export writes; it selects "VBS" first."""
        self.click_code(VBS)
        return (generate(self) + CRLF).encode("cp1252")

    def preview_style(self):
        flags = (4096 if self.system_modal else 0) + (16384 if self.help_button else 0)
        return self.icon_value | self.buttons_value | (self.default_value + flags)


def prepare_message(model):
    """Returns (opening block, prompt expression, title text)."""
    title = model.title.replace('"', '""')
    s = model.message.replace('"', '""')
    if not s.endswith(CRLF):
        s += CRLF
    joined, start = "", 0
    for i, ch in enumerate(s):
        if ch == CR:
            joined += s[start:i] + JOINER
            start = i + 2
    joined = joined[:-12]
    if len(s) <= 50:
        return "", '"' + joined + '"', title
    if model.code == VBS:
        block = "Dim Msg" + CR + ' Msg = "' + joined + '"'
    else:
        block = "Dim Msg As String" + CR + 'Msg = "' + joined + '"'
    return block, "Msg", title


def argument_list(model, title):
    flags = (4096 if model.system_modal else 0) + (16384 if model.help_button else 0)
    expr = ""
    if model.icon_name:
        expr += model.icon_name + " or "
    expr += model.buttons_name
    if model.default_name:
        expr += " or " + model.default_name
    if flags:
        expr += " + %d" % flags
    statement = model.buttons_value == 0
    if model.help_button:
        closing = '", App.HelpFile, 0' if statement else '", App.HelpFile, 0)'
    else:
        closing = '"' if statement else '")'
    return expr + ', "' + title + closing


IF_TAILS = {
    0: [],
    1: [" = vbOk then", "    ' OK", "Else", "    ' Abbrechen", "End If"],
    2: [
        "",
        "If Antwort = vbAbort Then",
        "    ' Abbruch",
        "ElseIf Antwort = vbRetry Then",
        "    ' Wiederholen",
        "Else",
        "    ' Ignorieren",
        "End If",
    ],
    3: [
        "",
        "If Antwort = vbYes Then",
        "    ' Ja",
        "ElseIf Antwort = vbNo Then",
        "    ' Nein",
        "Else",
        "    ' Abbrechen",
        "End If",
    ],
    4: [" = vbYes then", "    ' Ja", "Else", "    ' Nein", "End If"],
    5: [" = vbRetry then", "    ' Wiederholen", "Else", "    ' Abbrechen", "End If"],
}

SELECT_LINES = {
    0: [],
    1: ["Case vbOK", "    ' OK", "Case vbCancel", "    ' Abbrechen"],
    2: [
        "Case vbAbort",
        "    ' Abbruch",
        "Case vbRetry",
        "    ' Wiederholen",
        "Case vbIgnore",
        "    ' Ignorieren",
    ],
    3: ["Case vbYes", "    ' Ja", "Case vbNo", "    ' Nein", "Case vbCancel", "    ' Abbrechen"],
    4: ["Case vbYes", "    ' Ja", "Case vbNo", "    ' Nein"],
    5: ["Case vbRetry", "    ' Wiederholen", "Case vbCancel", "    ' Abbrechen"],
}


def generate(model):
    """The code text for the selected style, lines separated by CR."""
    block, prompt, title = prepare_message(model)
    args = prompt + ", " + argument_list(model, title)
    statement = block + CR + "MsgBox " + args
    value = model.buttons_value
    if model.code in (SIMPLE, VBS):
        if value == 0:
            return statement
        declaration = " Dim Antwort " if model.code == VBS else "Dim Antwort As VbMsgBoxResult"
        return block + CR + declaration + CR + "Antwort = MsgBox(" + args
    if model.code == IF_THEN_ELSE:
        if value == 0:
            return statement
        if value in (2, 3):
            head = block + CR + "Dim Antwort As VbMsgBoxResult" + CR + "Antwort = MsgBox(" + args
        else:
            head = block + CR + "If MsgBox(" + args
        tail = IF_TAILS[value]
        return head + tail[0] + "".join(CR + line for line in tail[1:])
    # Select Case
    if value == 0:
        return statement
    head = block + CR + "Select Case MsgBox(" + args
    return head + "".join(CR + line for line in SELECT_LINES[value]) + CR + "End Select"

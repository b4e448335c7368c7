"""The end-to-end cases. Each gets a fresh X server, home and program."""

import os
import time

import codemodel
import layout
from codemodel import CR, IF_THEN_ELSE, SELECT_CASE, SIMPLE, VBS
from driver import Driver
from program import CaseFailure, wait_for

CASES = {}


def case(function):
    CASES[function.__name__] = function
    return function


def check(condition, message):
    if not condition:
        raise CaseFailure(message)


def near(actual, expected, tolerance):
    return abs(actual - expected) <= tolerance


LONG_MESSAGE = (
    "Diese Meldung ist länger als fünfzig Zeichen und hat\r\n"
    'eine zweite Zeile mit "Anführungszeichen"\r\n'
    "\r\n"
    "und eine letzte nach einer Leerzeile."
)


def definitions_for(style):
    """Steps that go through every button set, both flags, icons, default
    buttons, quotes, umlauts and a long message, copying after each change,
    with the focus on an option, in the title or in the message box."""
    steps = [] if style == SELECT_CASE else [("code", style)]
    steps += [
        ("copy",),  # the start definition: no default-button constant yet
        ("title", "Frage"),
        ("message", "Weiter?"),
        ("buttons", 4),
        ("icon", 32),
        ("default", 256),
        ("system_modal",),
        ("copy",),
        ("copy", "txtTitel"),
        ("buttons", 2),
        ("default", 512),
        ("icon", 16),
        ("help_button",),
        ("title", 'Größe "XL" - Übersicht'),
        ("message", 'Er sagte "ja" und "nein"\r\näöüß ÄÖÜ'),
        ("copy", "txtMessage"),
        ("buttons", 3),
        ("icon", 48),
        ("message", LONG_MESSAGE),
        ("copy", "txtMessage"),
        ("help_button",),
        ("system_modal",),
        ("buttons", 1),
        ("icon", 0),
        ("default", 256),
        ("message", "x" * 48),  # 50 characters with the line end: inline
        ("copy", "txtTitel"),
        ("message", "x" * 49),  # 51: into Msg
        ("copy",),
        ("buttons", 5),
        ("icon", 64),
        ("message", "Zeile 1\r\nZeile 2\r\n\r\n"),  # ends with an empty line
        ("title", ""),
        ("copy",),
        ("buttons", 0),
        ("help_button",),
        ("system_modal",),
        ("copy", "txtMessage"),
    ]
    return steps


@case
def copy_select_case(app):
    d = Driver(app)
    # The start definition and the worked example, written out by hand.
    d.copy(literal=CR + 'MsgBox "", vbOKOnly, ""')
    d.run([("buttons", 4), ("icon", 48), ("default", 256), ("help_button",), ("title", "Achtung"), ("message", "Speichern?")])
    d.copy(
        "txtMessage",
        literal=CR.join(
            [
                "",
                'Select Case MsgBox("Speichern?", vbExclamation or vbYesNo or vbDefaultButton2 + 16384, '
                '"Achtung", App.HelpFile, 0)',
                "Case vbYes",
                "    ' Ja",
                "Case vbNo",
                "    ' Nein",
                "End Select",
            ]
        ),
    )
    d.help_button()
    d.run(definitions_for(SELECT_CASE))


@case
def copy_if_then_else(app):
    d = Driver(app)
    d.run([("code", IF_THEN_ELSE), ("buttons", 1), ("title", "Test"), ("message", "Weiter?")])
    d.copy(
        "txtTitel",
        literal=CR.join(
            [
                "",
                'If MsgBox("Weiter?", vbOKCancel or vbDefaultButton1, "Test") = vbOk then',
                "    ' OK",
                "Else",
                "    ' Abbrechen",
                "End If",
            ]
        ),
    )
    d.buttons(0)
    d.run(definitions_for(IF_THEN_ELSE))


@case
def copy_simple(app):
    d = Driver(app)
    d.run(
        [("code", SIMPLE), ("buttons", 4), ("icon", 32), ("default", 256), ("system_modal",), ("title", "Frage"),
         ("message", "Weiter?")]
    )
    d.copy(
        literal=CR
        + "Dim Antwort As VbMsgBoxResult"
        + CR
        + 'Antwort = MsgBox("Weiter?", vbQuestion or vbYesNo or vbDefaultButton2 + 4096, "Frage")'
    )
    d.buttons(0)
    d.copy("txtMessage", literal=CR + 'MsgBox "Weiter?", vbQuestion or vbOKOnly or vbDefaultButton1 + 4096, "Frage"')
    d.system_modal()
    d.run(definitions_for(SIMPLE))


@case
def copy_vbs(app):
    d = Driver(app)
    d.run([("code", VBS), ("buttons", 3), ("icon", 16), ("title", "Fehler"), ("message", "X" * 60)])
    d.copy(
        "txtTitel",
        literal=CR.join(
            [
                "Dim Msg",
                ' Msg = "' + "X" * 60 + '"',
                " Dim Antwort ",
                'Antwort = MsgBox(Msg, vbCritical or vbYesNoCancel or vbDefaultButton1, "Fehler")',
            ]
        ),
    )
    # The help button is refused under VBS, and cleared when VBS is chosen.
    d.help_button()
    d.copy()
    check(not d.model.help_button, "model: the help button must stay clear under VBS")
    d.code(SIMPLE)
    d.help_button()
    d.copy()
    d.code(VBS)
    d.copy("txtMessage")
    d.buttons(0)
    d.run(definitions_for(VBS)[1:])


@case
def preview(app):
    d = Driver(app)
    d.title("Vorschau Prüfung")
    d.message("Hallo Welt")
    boxes = {}

    def show(label, key):
        app.focus_main()
        app.key("F5")
        box = app.wait_window(
            "the preview box titled %r" % d.model.title,
            lambda window, name: title_matches(name, d.model.title),
        )
        boxes[label] = app.desktop.geometry(box)
        app.desktop.screenshot(os.path.join(app.home.root, "preview-%s.png" % label))
        # The preview is modal: Ctrl+C must not reach the main window now.
        check(app.running(), "the program ended while the preview was open")
        app.close_modal(box, key)
        check(app.running(), "the program ended when the preview was closed")

    show("ok", "Escape")
    d.buttons(2)
    d.icon(32)
    show("three", "Return")
    d.buttons(4)
    d.default(256)
    d.system_modal()
    d.help_button()
    show("help", "Return")
    check(
        boxes["three"][2] > boxes["ok"][2] and boxes["help"][2] > boxes["ok"][2],
        "a box with three buttons should be wider than one with OK alone: %r vs %r" % (boxes["three"], boxes["ok"]),
    )
    # The preview changes nothing: the code is still that of the definition.
    d.copy()


@case
def save_open(app):
    d = Driver(app)
    d.run(
        [("icon", 64), ("buttons", 4), ("default", 256), ("code", SIMPLE), ("system_modal",), ("title", "Prüfung"),
         ("message", "Zeile 1\r\nZeile 2")]
    )
    path = os.path.join(app.home.data, "definition.msg")
    app.menu("d", "u")  # Datei > Speichern unter...
    app.file_dialog(path)
    expected = b" 64 \r\n 4 \r\n 256 \r\n 2 \r\nPr\xfcfung\r\nZeile 1\r\nZeile 2\r\n"
    check(d.model.definition_file() == expected, "model: definition file bytes")
    wait_file(path, expected)
    wait_for("Extension=1 in the settings", lambda: app.home.settings().get("Extension") == "1", timeout=5)

    app.menu("d", "n")  # Datei > Neu
    d.model.new()
    d.copy(literal=CR + 'MsgBox "", vbOKOnly or vbDefaultButton1 + 4096, ""')  # SystemModal stays ticked

    app.menu("d", "l")  # Datei > Laden...
    app.file_dialog(path)
    d.model.load(expected)
    d.copy(
        literal=CR
        + "Dim Antwort As VbMsgBoxResult"
        + CR
        + 'Antwort = MsgBox("Zeile 1" & vbcr & "Zeile 2", vbInformation or vbYesNo or vbDefaultButton2'
        + ' + 4096, "Prüfung")'
    )
    # Save now writes to the loaded file without a dialog, and the file
    # stays as it was: loading gives back exactly the saved message.
    d.title("Zweite Prüfung")
    app.menu("d", "s")
    saved = d.model.definition_file()
    wait_file(path, saved)
    check(not app.other_windows(), "Save with a known file name must not open a dialog")
    app.menu("d", "l")
    app.file_dialog(path)
    d.model.load(saved)
    app.menu("d", "s")
    time.sleep(0.3)
    check(_read(path) == saved, "a second save and load must not change the file: %r" % _read(path))
    d.copy("txtTitel")
    check('vbcr & ""' not in codemodel.generate(d.model), "model: no empty last line after two loads")


@case
def open_refuses_bad_files(app):
    """A named pipe and a file far too large, typed into the real Open
    dialog: each gives the error report at once, changes nothing, and the
    window goes on answering."""
    d = Driver(app)
    d.run([("buttons", 4), ("title", "Bleibt"), ("message", "Unverändert")])
    pipe = os.path.join(app.home.data, "pipe.msg")
    os.mkfifo(pipe)
    large = os.path.join(app.home.data, "gross.msg")
    with open(large, "wb") as f:
        f.write(b" 0 \r\n 0 \r\n 0 \r\n 0 \r\nT\r\n")
        f.truncate(200 * 1024 * 1024)  # sparse: no disk space needed
    for path in (pipe, large):
        app.menu("d", "l")  # Datei > Laden...
        app.file_dialog(path)
        box = app.wait_window(
            "the error report for %s" % path,
            lambda window, name: title_matches(name, "frmMsgBox_mnuLaden_Click"),
            timeout=5,
        )
        app.desktop.screenshot(os.path.join(app.home.root, "refused-%s.png" % os.path.basename(path)))
        app.close_modal(box, "Return")
        # The window answers at once, and the definition is as it was.
        started = time.monotonic()
        d.copy(timeout=2)
        check(time.monotonic() - started < 2, "the window took %.1f s to answer" % (time.monotonic() - started))


@case
def read_code(app):
    """A hand-written call on the clipboard, read with Ctrl+Shift+V and
    Ctrl+Return: the window then gives the code of the definition read."""
    d = Driver(app)
    d.run([("buttons", 1), ("title", "Vorher")])
    app.desktop.set_clipboard(
        "Private Sub cmdLoeschen_Click()\n"
        "    Dim Msg As String\n"
        '    Msg = "Datei " & Chr(34) & "a.txt" & Chr(34) & " wirklich l\u00f6schen?"\n'
        "    If MsgBox(Msg, vbExclamation Or vbYesNo Or vbDefaultButton2, _\n"
        '              "Löschen") = vbNo Then Exit Sub\n'
        "End Sub\n"
    )
    app.focus_main()
    app.click("txtMessage")
    app.key("ctrl+shift+v")
    dialog = app.wait_window("the code reader", lambda window, name: title_matches(name, "Code einlesen"))
    app.desktop.focus(dialog)
    app.key("ctrl+Return")
    app.wait_window_gone(dialog, "the code reader to close")
    app.focus_main()
    d.model.click_code(IF_THEN_ELSE)
    d.model.click_buttons(4)
    d.model.click_icon(48)
    d.model.click_default(256)
    d.model.title = "Löschen"
    d.model.message = 'Datei "a.txt" wirklich löschen?'
    d.copy(
        literal=CR
        + 'If MsgBox("Datei ""a.txt"" wirklich löschen?", vbExclamation or vbYesNo or vbDefaultButton2, '
        + '"Löschen") = vbYes then'
        + CR
        + "    ' Ja"
        + CR
        + "Else"
        + CR
        + "    ' Nein"
        + CR
        + "End If"
    )


@case
def copy_as_dotnet(app):
    """Bearbeiten > Kopieren als > C# and the two shortcuts, also from a text
    box, put the .NET code on the real clipboard."""
    d = Driver(app)
    d.run([("buttons", 4), ("icon", 32), ("default", 256), ("title", "Frage"), ("message", "Weiter?")])
    csharp = "\r".join(
        [
            'switch (MessageBox.Show("Weiter?", "Frage", MessageBoxButtons.YesNo, MessageBoxIcon.Question, '
            "MessageBoxDefaultButton.Button2))",
            "{",
            "    case DialogResult.Yes:",
            "        // Ja",
            "        break;",
            "    case DialogResult.No:",
            "        // Nein",
            "        break;",
            "}",
        ]
    )
    vbnet = "\r".join(
        [
            'Select Case MsgBox("Weiter?", MsgBoxStyle.Question Or MsgBoxStyle.YesNo Or MsgBoxStyle.DefaultButton2, '
            '"Frage")',
            "Case MsgBoxResult.Yes",
            "    ' Ja",
            "Case MsgBoxResult.No",
            "    ' Nein",
            "End Select",
        ]
    )

    def clipboard_holds(what, expected):
        seen = []

        def probe():
            seen[:] = [app.desktop.clipboard()]
            return seen[0] == expected

        try:
            wait_for(what, probe, timeout=5, interval=0.1)
        except CaseFailure:
            raise CaseFailure("clipboard after %s:\n  got      %r\n  expected %r" % (what, seen[0], expected))

    # Alt+B opens "Bearbeiten", A its submenu "Kopieren als", C the item "C#".
    app.menu("b", "a", "c")
    clipboard_holds("Kopieren als > C#", csharp)
    app.click("txtMessage")
    app.key("ctrl+shift+n")
    clipboard_holds("Ctrl+Shift+N in the message box", vbnet)
    app.click("txtTitel")
    app.key("ctrl+shift+c")
    clipboard_holds("Ctrl+Shift+C in the title box", csharp)
    # The Basic copy is unchanged beside them.
    d.copy()


@case
def overwrite_and_cancel(app):
    d = Driver(app)
    d.run([("buttons", 1), ("title", "Erste"), ("message", "Inhalt")])
    path = os.path.join(app.home.data, "vorhanden.msg")
    app.menu("d", "u")
    app.file_dialog(path)
    first = d.model.definition_file()
    wait_file(path, first)

    # Save As onto the existing file asks first; No is the default button and
    # keeps the file as it was.
    d.title("Zweite")
    app.menu("d", "u")
    app.file_dialog(path)
    question = app.wait_window("the overwrite question", lambda window, name: title_matches(name, "Sicherheitshinweis"))
    app.close_modal(question, "Return")
    time.sleep(0.3)
    check(_read(path) == first, "answering No must leave the file unchanged: %r" % _read(path))

    # Cancelling the dialog writes nothing, and Save still goes to the file
    # chosen before.
    app.menu("d", "u")
    dialog = app.wait_window("the file dialog")
    app.close_modal(dialog, "Escape")
    app.menu("d", "s")
    wait_file(path, d.model.definition_file())
    check(sorted(os.listdir(app.home.data)) == ["vorhanden.msg"], "files: %r" % os.listdir(app.home.data))
    d.copy()


@case
def toolbar(app):
    d = Driver(app)
    d.run([("buttons", 3), ("icon", 48), ("title", "Werkzeug"), ("message", "Leiste")])
    # 5: copy
    app.click("imgButton(5)")
    expected = codemodel.generate(d.model)
    wait_for("the code from toolbar button 5", lambda: app.desktop.clipboard() == expected, timeout=5)
    # 4: source view, a box titled "Quellcode"; the clipboard keeps its text
    d.code(SIMPLE)
    app.click("imgButton(4)")
    box = app.wait_window("the source view", lambda window, name: title_matches(name, "Quellcode"))
    app.close_modal(box, "Return")
    check(app.desktop.clipboard() == expected, "the source view must not touch the clipboard")
    # 3: preview, titled as the definition
    app.click("imgButton(3)")
    box = app.wait_window("the preview", lambda window, name: title_matches(name, "Werkzeug"))
    app.close_modal(box, "Return")
    # 6: About, titled "Freeware"
    app.click("imgButton(6)")
    box = app.wait_window("the About box", lambda window, name: title_matches(name, "Freeware"))
    app.close_modal(box, "Return")
    # 9: update search does nothing at all
    app.click("imgButton(9)")
    time.sleep(0.5)
    check(not app.other_windows(), "toolbar button 9 must show nothing")
    # 8: New; the code style goes back to Select Case
    app.click("imgButton(8)")
    d.model.new()
    d.copy(literal=CR + 'MsgBox "", vbOKOnly or vbDefaultButton1, ""')


@case
def script_export(app):
    d = Driver(app)
    d.run([("icon", 16), ("buttons", 3), ("code", IF_THEN_ELSE), ("help_button",), ("title", "Fehler äöü"),
           ("message", "X" * 60)])
    path = os.path.join(app.home.data, "meldung.vbs")
    # Datei > Speichern als VB-Script... (no access key: fifth item)
    app.menu("d", "Down", "Down", "Down", "Down", "Return")
    app.file_dialog(path)
    expected = d.model.script_file()
    literal = (
        "Dim Msg\r Msg = \"" + "X" * 60 + "\"\r Dim Antwort \r"
        'Antwort = MsgBox(Msg, vbCritical or vbYesNoCancel or vbDefaultButton1, "Fehler äöü")\r\n'
    ).encode("cp1252")
    check(expected == literal, "model: script bytes %r" % expected)
    wait_file(path, expected)
    # VBS is now the selected style, and the help button has been cleared.
    d.copy("txtMessage")
    check(d.model.code == VBS, "model: VBS selected")
    check(not os.path.exists(os.path.join(app.home.data, "definition.msg")), "no definition file written")


@case
def first_start(app_factory):
    app = app_factory(preset=None, expect_dialog=True)
    main = app.main
    dialog = app.wait_window("the data folder dialog", lambda window, name: title_matches(name, "Einstellungen"))
    mx, my, mw, mh = app.desktop.geometry(main)
    dx, dy, dw, dh = app.desktop.geometry(dialog)
    check(
        near(dx + dw / 2, mx + mw / 2, 40) and near(dy + dh / 2, my + mh / 2, 60),
        "the dialog %r should stand centred over the main window %r" % ((dx, dy, dw, dh), (mx, my, mw, mh)),
    )
    check(
        app.home.settings().get("FirstStart") != "True",
        "FirstStart must not be True while the first-start dialog is open",
    )
    app.desktop.screenshot(os.path.join(app.home.root, "first-start-dialog.png"))
    app.close_modal(dialog, "Return")  # OK is the default button
    folder = os.path.join(app.home.documents, "Veltrano")
    wait_for("the data folder %s" % folder, lambda: os.path.isdir(folder), timeout=5)
    settings = wait_for(
        "the first-start settings",
        lambda: (lambda s: s if "EinstellungSpeicherPfad" in s else None)(app.home.settings()),
        timeout=5,
    )
    check(settings.get("EinstellungSpeicherOrt") == "1", "EinstellungSpeicherOrt: %r" % settings)
    stored = settings.get("EinstellungSpeicherPfad", "")
    check(
        os.path.normpath(stored) == os.path.normpath(folder) and stored.endswith("/"),
        "EinstellungSpeicherPfad %r, expected %r" % (stored, folder + "/"),
    )
    # After the dialog the window moves to the default position of 100 twips.
    wait_for(
        "the window at 100, 100 twips",
        lambda: all(near(v, 100 / layout.TWIPS_PER_PIXEL, 1.5) for v in app.window_geometry()[:2]),
        timeout=5,
    )
    # The program works normally afterwards.
    Driver(app).copy(literal=CR + 'MsgBox "", vbOKOnly, ""')
    app.menu("d", "b")  # Datei > Beenden
    status = app.wait_exit()
    check(status == 0, "exit status %d after Beenden, expected 0" % status)
    settings = app.home.settings()
    check(settings.get("FirstStart") == "True", "FirstStart after ending: %r" % settings)
    for key in ("frmMsgBoxLeft", "frmMsgBoxTop"):
        check(key in settings and near(float(settings[key]), 100, 15), "%s after ending: %r" % (key, settings))

    # The next start skips the set-up: no dialog, the stored path stays.
    again = app_factory(preset=None)
    time.sleep(0.5)
    check(not again.other_windows(), "the second start must not open the data folder dialog")
    check(again.home.settings().get("EinstellungSpeicherPfad") == stored, "the data folder path changed")


@case
def open_file_argument(app_factory):
    """A file manager's "Open with" passes the file's path: the program
    starts with that file open, Ctrl+C copies its code, and Save writes
    back to it without a dialog."""
    path = os.path.join(app_factory.home.data, "Frage überall.msg")
    data = b" 32 \r\n 4 \r\n 256 \r\n 1 \r\nFrage \xfcberall\r\nWeiter?\r\nZweite Zeile\r\n"
    with open(path, "wb") as f:
        f.write(data)
    app = app_factory(preset={}, args=[path])
    d = Driver(app)
    d.model.load(data)
    d.copy()
    d.copy("txtMessage")
    check(not app.other_windows(), "opening the file must not show a dialog or a report")
    d.title("Geändert")
    app.menu("d", "s")  # Datei > Speichern
    wait_file(path, d.model.definition_file())
    check(not app.other_windows(), "Save of the opened file must not open a dialog")


def _quit_and_reopen(app_factory, end):
    """Ends the program with end(app) at a moved place, then checks that the
    place was stored in twips and that the next start restores it."""
    app = app_factory(preset={"frmMsgBoxLeft": "3000", "frmMsgBoxTop": "1500"})
    x, y, _, _ = app.window_geometry()
    check(near(x, 200, 1) and near(y, 100, 1), "stored 3000, 1500 twips: window at %d, %d, expected 200, 100" % (x, y))
    app.desktop.move_window(app.main, 300, 160)
    wait_for("the window at 300, 160", lambda: app.window_geometry()[:2] == (300, 160), timeout=5)
    time.sleep(0.3)
    end(app)
    status = app.wait_exit()
    check(status == 0, "exit status %d, expected 0" % status)
    settings = app.home.settings()
    left, top = float(settings.get("frmMsgBoxLeft", "nan")), float(settings.get("frmMsgBoxTop", "nan"))
    check(near(left, 4500, 15) and near(top, 2400, 15), "stored position %r, %r; expected 4500, 2400 twips" % (left, top))
    again = app_factory(preset=None)
    x, y, _, _ = again.window_geometry()
    check(near(x, 300, 1) and near(y, 160, 1), "restored window at %d, %d, expected 300, 160" % (x, y))


@case
def quit_menu(app_factory):
    def end(app):
        app.menu("d", "b")  # Datei > Beenden

    _quit_and_reopen(app_factory, end)


@case
def quit_toolbar(app_factory):
    def end(app):
        app.focus_main()
        app.click("imgButton(7)")

    _quit_and_reopen(app_factory, end)


# Cases that start the program themselves take a factory instead of a
# running instance.
FACTORY_CASES = {"first_start", "quit_menu", "quit_toolbar", "open_file_argument"}


def wait_file(path, expected, timeout=5):
    try:
        wait_for("the file " + path, lambda: _read(path) == expected, timeout=timeout)
    except CaseFailure:
        raise CaseFailure("%s holds %r,\n  expected %r" % (path, _read(path), expected))


def title_matches(name, title):
    """X11 window names may carry the application's display name after a dash."""
    return name == title or name.startswith(title + " \u2014 ")


def _read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None

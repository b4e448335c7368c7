"""Checks the end-to-end suite's own model of the expected code against
hand-written results, so that a fault in the model is not mistaken for a
fault of the program (or hides one)."""

import unittest

from codemodel import CR, IF_THEN_ELSE, SELECT_CASE, SIMPLE, VBS, Model, generate


def model(buttons=0, icon=0, default=None, code=SELECT_CASE, title="", message="", sm=False, hb=False):
    m = Model()
    m.click_icon(icon)
    m.click_buttons(buttons)
    if default is not None:
        m.click_default(default)
    m.click_code(code)
    if sm:
        m.toggle_system_modal()
    if hb:
        m.toggle_help_button()
    m.title, m.message = title, message
    return m


class GeneratedCode(unittest.TestCase):
    def test_hand_written_results(self):
        cases = [
            (
                model(4, 32, 256, SIMPLE, "Frage", "Weiter?", sm=True),
                CR
                + "Dim Antwort As VbMsgBoxResult"
                + CR
                + 'Antwort = MsgBox("Weiter?", vbQuestion or vbYesNo or vbDefaultButton2 + 4096, "Frage")',
            ),
            (
                model(0, 32, 0, SIMPLE, "Frage", "Weiter?", sm=True),
                CR + 'MsgBox "Weiter?", vbQuestion or vbOKOnly or vbDefaultButton1 + 4096, "Frage"',
            ),
            (
                model(1, 0, None, IF_THEN_ELSE, "Test", "Weiter?"),
                CR
                + 'If MsgBox("Weiter?", vbOKCancel or vbDefaultButton1, "Test") = vbOk then'
                + CR.join(["", "    ' OK", "Else", "    ' Abbrechen", "End If"]),
            ),
            (
                model(4, 48, 256, SELECT_CASE, "Achtung", "Speichern?", hb=True),
                CR
                + 'Select Case MsgBox("Speichern?", vbExclamation or vbYesNo or vbDefaultButton2'
                + ' + 16384, "Achtung", App.HelpFile, 0)'
                + CR.join(["", "Case vbYes", "    ' Ja", "Case vbNo", "    ' Nein", "End Select"]),
            ),
            (
                model(3, 16, None, VBS, "Fehler", "X" * 60),
                CR.join(
                    [
                        "Dim Msg",
                        ' Msg = "' + "X" * 60 + '"',
                        " Dim Antwort ",
                        'Antwort = MsgBox(Msg, vbCritical or vbYesNoCancel or vbDefaultButton1, "Fehler")',
                    ]
                ),
            ),
            (
                model(2, 0, 512, IF_THEN_ELSE, 'Er sagte "ja"', "A\r\n\r\n", sm=True, hb=True),
                CR.join(
                    [
                        "",
                        "Dim Antwort As VbMsgBoxResult",
                        'Antwort = MsgBox("A" & vbcr & "", vbAbortRetryIgnore or vbDefaultButton3'
                        + ' + 20480, "Er sagte ""ja""", App.HelpFile, 0)',
                        "If Antwort = vbAbort Then",
                        "    ' Abbruch",
                        "ElseIf Antwort = vbRetry Then",
                        "    ' Wiederholen",
                        "Else",
                        "    ' Ignorieren",
                        "End If",
                    ]
                ),
            ),
        ]
        for m, expected in cases:
            with self.subTest(expected=expected):
                self.assertEqual(generate(m), expected)

    def test_threshold_counts_doubled_quotes_and_line_end(self):
        self.assertNotIn("Msg = ", generate(model(message="x" * 48)))
        self.assertIn("Msg = ", generate(model(message="x" * 49)))
        self.assertNotIn("Msg = ", generate(model(message='"' * 24)))
        self.assertIn("Msg = ", generate(model(message='"' * 24 + "x")))

    def test_default_name_is_empty_until_a_set_is_chosen(self):
        m = Model()
        self.assertEqual(generate(m), CR + 'MsgBox "", vbOKOnly, ""')

    def test_vbs_refuses_the_help_button(self):
        m = model(code=VBS, hb=True)
        self.assertFalse(m.help_button)
        m = model(code=SIMPLE, hb=True)
        m.click_code(VBS)
        self.assertFalse(m.help_button)


class Files(unittest.TestCase):
    def test_definition_file_round_trip_gives_the_message_back(self):
        m = model(4, 64, 256, SIMPLE, "Titel", "Zeile 1\r\nZeile 2")
        data = m.definition_file()
        self.assertEqual(data, b" 64 \r\n 4 \r\n 256 \r\n 2 \r\nTitel\r\nZeile 1\r\nZeile 2\r\n")
        other = Model()
        other.load(data)
        self.assertEqual(other.message, "Zeile 1\r\nZeile 2")
        self.assertEqual(other.definition_file(), data)
        self.assertEqual((other.icon_value, other.buttons_value, other.default_value), (64, 4, 256))

    def test_script_file_selects_vbs(self):
        m = model(1, 0, None, IF_THEN_ELSE, "T", "M", hb=True)
        self.assertEqual(m.script_file(), b'\r Dim Antwort \rAntwort = MsgBox("M", vbOKCancel or vbDefaultButton1, "T")\r\n')
        self.assertEqual(m.code, VBS)


if __name__ == "__main__":
    unittest.main()

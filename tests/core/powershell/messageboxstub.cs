// A stand-in for System.Windows.Forms.MessageBox with every public Show
// overload, so that PowerShell picks among them as it does on Windows, and
// the enums with their real values as .NET Framework (Windows PowerShell
// 5.1) has them: members that .NET 6 added (CancelTryContinue, Button4,
// TryAgain, Continue) are missing, so code that needs them fails here.
// Each Show call is recorded and answers with the planned button.
using System;
using System.Collections.Generic;
using System.ComponentModel;
using System.Text;

namespace System.Windows.Forms {
public enum MessageBoxButtons { OK = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 }
public enum MessageBoxDefaultButton { Button1 = 0, Button2 = 256, Button3 = 512 }
public enum DialogResult { None = 0, OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 }
public enum MessageBoxIcon { None = 0, Hand = 16, Stop = 16, Error = 16, Question = 32, Exclamation = 48, Warning = 48, Asterisk = 64, Information = 64 }
[Flags] public enum MessageBoxOptions { DefaultDesktopOnly = 0x20000, RightAlign = 0x80000, RtlReading = 0x100000, ServiceNotification = 0x200000 }
public enum HelpNavigator { Topic = -2147483647, TableOfContents, Index, Find, AssociateIndex, KeywordIndex, TopicId }
public interface IWin32Window { IntPtr Handle { get; } }

public static class MessageBox {
    static DialogResult R(IWin32Window w, string t, string c = null, MessageBoxButtons b = 0, MessageBoxIcon i = 0,
                          MessageBoxDefaultButton d = 0, MessageBoxOptions o = 0, bool h = false) {
        return Veltrano.Rec.Call(w, t, c, b, i, d, o, h);
    }
    public static DialogResult Show(string text) { return R(null, text); }
    public static DialogResult Show(string text, string caption) { return R(null, text, caption); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons) { return R(null, text, caption, buttons); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon) { return R(null, text, caption, buttons, icon); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton) { return R(null, text, caption, buttons, icon, defaultButton); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options) { return R(null, text, caption, buttons, icon, defaultButton, options); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, bool displayHelpButton) { return R(null, text, caption, buttons, icon, defaultButton, options, displayHelpButton); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath) { return Veltrano.Rec.Unexpected("helpFilePath"); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath, string keyword) { return Veltrano.Rec.Unexpected("keyword"); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath, HelpNavigator navigator) { return Veltrano.Rec.Unexpected("navigator"); }
    public static DialogResult Show(string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath, HelpNavigator navigator, object param) { return Veltrano.Rec.Unexpected("param"); }
    public static DialogResult Show(IWin32Window owner, string text) { return R(owner, text); }
    public static DialogResult Show(IWin32Window owner, string text, string caption) { return R(owner, text, caption); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons) { return R(owner, text, caption, buttons); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon) { return R(owner, text, caption, buttons, icon); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton) { return R(owner, text, caption, buttons, icon, defaultButton); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options) { return R(owner, text, caption, buttons, icon, defaultButton, options); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath) { return Veltrano.Rec.Unexpected("helpFilePath"); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath, string keyword) { return Veltrano.Rec.Unexpected("keyword"); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath, HelpNavigator navigator) { return Veltrano.Rec.Unexpected("navigator"); }
    public static DialogResult Show(IWin32Window owner, string text, string caption, MessageBoxButtons buttons, MessageBoxIcon icon, MessageBoxDefaultButton defaultButton, MessageBoxOptions options, string helpFilePath, HelpNavigator navigator, object param) { return Veltrano.Rec.Unexpected("param"); }
}
}

namespace Veltrano {
using System.Windows.Forms;

// The recorder: the last call's arguments as one tab-separated record,
// strings as hex UTF-16 code units ("-" for null), the branches taken, and
// how often Windows Forms was loaded (which must come before the call).
public static class Rec {
    public static int AnswerIndex, SetSize, Calls, AddTypes;
    public static string Last;
    public static readonly List<string> Branches = new List<string>();
    // The answers of each button set in the order of its buttons.
    static readonly int[][] Sets = { new[] { 1 }, new[] { 1, 2 }, new[] { 3, 4, 5 }, new[] { 6, 7, 2 }, new[] { 6, 7 }, new[] { 4, 2 } };

    public static void Reset(int answerIndex) { AnswerIndex = answerIndex; SetSize = 0; Calls = 0; AddTypes = 0; Last = "-\t-\t-\t-\t-\t-\t-"; Branches.Clear(); }

    public static string Hex(string s) {
        if (s == null) return "-";
        var sb = new StringBuilder();
        foreach (char ch in s) sb.Append(((int)ch).ToString("X4"));
        return sb.ToString();
    }

    static void Check(bool ok, string what) { if (!ok) throw new InvalidEnumArgumentException(what); }

    public static DialogResult Call(IWin32Window w, string t, string c, MessageBoxButtons b, MessageBoxIcon i,
                                    MessageBoxDefaultButton d, MessageBoxOptions o, bool h) {
        Check(AddTypes > 0, "Add-Type before Show");
        Check(w == null, "owner");
        Check(Enum.IsDefined(typeof(MessageBoxButtons), b), "buttons");
        Check(Enum.IsDefined(typeof(MessageBoxIcon), i), "icon");
        Check(Enum.IsDefined(typeof(MessageBoxDefaultButton), d), "defaultButton");
        Check(((int)o & ~0x3A0000) == 0, "options");
        int[] set = Sets[(int)b];
        SetSize = set.Length;
        ++Calls;
        Last = string.Join("\t", Hex(t), Hex(c), (int)b, (int)i, (int)d, (int)o, h ? 1 : 0);
        return (DialogResult)set[AnswerIndex % set.Length];
    }

    public static DialogResult Unexpected(string what) { throw new InvalidOperationException("overload with " + what); }

    public static void Branch(string hex) { Branches.Add(hex); }

    public static void AddType() { ++AddTypes; }
}
}

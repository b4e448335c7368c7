# Runs the fragments of one file in PowerShell, each once for every answer
# of its button set, against the stand-in MessageBox of messageboxstub.cs,
# and writes one record per run to -Out.
# The file holds UTF-8 fragments, each after a line "#@ <id>". Each runs
# twice: as PowerShell 7 reads the file (pass 7), and as Windows PowerShell
# 5.1 reads a file without a byte order mark, in code page 1252 (pass 51).
# A record, tab-separated: pass, id, answer index, the number of Show
# calls and of Add-Type -AssemblyName, the last call (text and caption as hex UTF-16, buttons, icon,
# default button, options, help flag), the comments passed (hex, joined by
# ","), the number of objects written to the pipeline, and the error (hex)
# or "-". A last line "DONE fragments runs stub-ms loop-ms".
param([Parameter(Mandatory)][string]$Fragments, [Parameter(Mandatory)][string]$Out,
      [Parameter(Mandatory)][string]$StubDll)
Set-StrictMode -Version Latest
$ErrorActionPreference = 'Stop'
$__clock = [Diagnostics.Stopwatch]::StartNew()

# Compiling the stand-in takes seconds, loading it a fraction: it is kept as
# a library next to the build and compiled again when its source is newer.
$__source = Join-Path $PSScriptRoot 'messageboxstub.cs'
if (-not (Test-Path -LiteralPath $StubDll) -or
    (Get-Item -LiteralPath $StubDll).LastWriteTimeUtc -lt (Get-Item -LiteralPath $__source).LastWriteTimeUtc) {
    Remove-Item -LiteralPath $StubDll -Force -ErrorAction SilentlyContinue
    Microsoft.PowerShell.Utility\Add-Type -TypeDefinition ([IO.File]::ReadAllText($__source)) `
        -OutputAssembly $StubDll -OutputType Library
}
Microsoft.PowerShell.Utility\Add-Type -LiteralPath $StubDll
$__stubMs = $__clock.ElapsedMilliseconds

# The fragments' first line loads Windows Forms; here the stand-in is loaded
# already. Functions come before cmdlets, so this one answers for them.
function Add-Type {
    param([Parameter(Mandatory)][string[]]$AssemblyName)
    foreach ($n in $AssemblyName) {
        if ($n -ne 'System.Windows.Forms') { throw "Add-Type: unexpected assembly '$n'" }
        [Veltrano.Rec]::AddType()
    }
}

$__bytes = [IO.File]::ReadAllBytes($Fragments)
$__texts = [ordered]@{
    '7'  = [Text.UTF8Encoding]::new($false, $true).GetString($__bytes)
    '51' = [Text.Encoding]::GetEncoding(1252).GetString($__bytes)
}
$__marker = [regex]'(?m)^#@ (\S+)\r?\n'
# A whole-line comment becomes a call that records it.
$__comment = [regex]'(?m)^([ \t]*)#[ \t]?([^\r\n]*?)[ \t]*(?=\r?$)'
$__toBranch = { param($m) $m.Groups[1].Value + "[Veltrano.Rec]::Branch('" + [Veltrano.Rec]::Hex($m.Groups[2].Value) + "')" }
# What Windows PowerShell 5.1 lacks: `u{}, `e, ?:, ??, ??=, && and ||.
$__escapes51 = [regex]'(?<!`)(?:``)*`(?:u\{|e)'
$__lacking51 = {
    param($a)
    $a -is [Management.Automation.Language.TernaryExpressionAst] -or
    $a -is [Management.Automation.Language.PipelineChainAst] -or
    ($a -is [Management.Automation.Language.BinaryExpressionAst] -and $a.Operator -eq 'QuestionQuestion') -or
    ($a -is [Management.Automation.Language.AssignmentStatementAst] -and $a.Operator -eq 'QuestionQuestionEquals')
}

$__w = [IO.StreamWriter]::new($Out, $false, [Text.UTF8Encoding]::new($false))
$__w.NewLine = "`n"
$__runs = 0
$__count = 0
$__clock.Restart()
foreach ($__pass in $__texts.Keys) {
    $__parts = $__marker.Split($__texts[$__pass])
    for ($__k = 1; $__k + 1 -lt $__parts.Length; $__k += 2) {
        $__id = $__parts[$__k]
        $__sb = $null; $__err = $null
        try {
            $__sb = [scriptblock]::Create($__comment.Replace($__parts[$__k + 1], $__toBranch))
            if ($__pass -eq '7' -and ($__escapes51.IsMatch($__parts[$__k + 1]) -or $null -ne $__sb.Ast.Find($__lacking51, $true))) {
                throw 'uses what Windows PowerShell 5.1 lacks'
            }
        } catch { $__err = $_.Exception.Message; $__sb = $null }
        ++$__count
        $__n = 1
        for ($__a = 0; $__a -lt $__n; $__a++) {
            [Veltrano.Rec]::Reset($__a)
            $__outputs = 0
            if ($null -ne $__sb) {
                try { $__outputs = @(& $__sb).Count } catch { $__err = $_.Exception.Message }
                if ([Veltrano.Rec]::SetSize -gt 1) { $__n = [Veltrano.Rec]::SetSize }
                ++$__runs
            }
            $__w.WriteLine(($__pass, $__id, $__a, [Veltrano.Rec]::Calls, [Veltrano.Rec]::AddTypes, [Veltrano.Rec]::Last,
                            ([Veltrano.Rec]::Branches -join ','), $__outputs, [Veltrano.Rec]::Hex($__err)) -join "`t")
            $__err = $null
        }
    }
}
$__w.WriteLine("DONE`t$__count`t$__runs`t$__stubMs`t$($__clock.ElapsedMilliseconds)")
$__w.Close()

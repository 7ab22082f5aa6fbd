#pragma once

// What the command line asks of a start, split as Windows splits it
// (CommandLineToArgvW). Switches are read in any letter case and order;
// every other word is ignored, as ever:
//   /S, /VERYSILENT   nobody watches: no box, no window, no feedback page,
//                     the run as fast as it goes, an exit code that says how
//                     it went
//   /SILENT           the same, but the window is shown at its usual pace
//                     and closes by itself at the end
//   /SUPPRESSMSGBOXES, /NORESTART
//                     accepted for Inno Setup's usual command line; they
//                     change nothing (the program asks nothing and never
//                     restarts the machine)
//   /LOG=path         a log of the run in UTF-8 (quotes around a path with
//                     blanks, as /LOG="C:\a folder\u.log"); a relative path
//                     names a file of the folder the program was started in
//   /?                a box that lists these, and nothing else
class CommandLine {
public:
    // commandLine as GetCommandLineW gives it (the program's name first),
    // read while the current directory is still the one started in.
    explicit CommandLine(const wchar_t* commandLine);
    ~CommandLine();
    CommandLine(const CommandLine&) = delete;
    CommandLine& operator=(const CommandLine&) = delete;

    // Whether nobody is to be asked anything: /S, /VERYSILENT or /SILENT.
    bool isUnattended() const { return mode != Mode::kInteractive; }
    // Whether the window is shown (everything but /S and /VERYSILENT).
    bool showsWindow() const { return mode != Mode::kHidden; }
    bool asksForHelp() const { return help; }
    // The log's full path, null without /LOG= (or with an empty one).
    const wchar_t* logPath() const { return log; }

private:
    enum class Mode { kInteractive, kShown, kHidden };
    Mode mode;
    bool help;
    wchar_t* log;
};

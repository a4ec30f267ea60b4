// A run of the program without a user, for demonstrations and end-to-end
// checks, asked for through the environment:
//   MARLOWIN_OPEN=<file.dvr>    at start the file-open dialog is opened and
//                               answered with this file, which then plays;
//   MARLOWIN_RUN_SECONDS=<n>    n seconds later the main window closes
//                               (default 5);
//   MARLOWIN_SCREENSHOT=<png>   just before, the window is saved there.
// Before it closes the window the run prints "marlowin: played from position
// A to B" (the player's first and last position seen while the window was
// playing) or "marlowin: nothing played".
// Without MARLOWIN_OPEN nothing happens. The run drives the window only by
// posting messages to it, from a thread of its own.
#pragma once

#include <memory>

class CScriptedRun {
public:
    // Null when the environment asks for no scripted run.
    static std::unique_ptr<CScriptedRun> FromEnvironment();
    virtual ~CScriptedRun() = default;
    // Waits for the run's thread (after the main window has closed).
    virtual void Join() = 0;
};

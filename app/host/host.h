// The window host: every operation the program needs from the window
// toolkit, event loop, dialogs, file system and desktop, as free functions
// over Qt Widgets. It is the only part of the program that includes Qt.
//
// Controls are addressed by their form names. Texts cross this boundary as
// GBK; inside, they are converted through GB18030 (a superset of GBK that
// holds every Unicode character), so nothing the user types or picks is lost.
// Lines in a Text end in CR LF. Everything runs on the one user-interface
// thread; events are handled only inside RunEventLoop, ProcessEvents,
// DelayWithEvents and modal dialogs, so handlers can nest.
#ifndef RUZIDUZ_APP_HOST_HOST_H_
#define RUZIDUZ_APP_HOST_HOST_H_

#include <span>

#include "text/text.h"

// The main window and the controls of its form.
enum class Control {
  MainWindow,
  按钮5,
  按钮4,
  按钮3,
  通用对话框1,
  按钮2,
  标签3,
  标签2,
  标签1,
  编辑框2,
  按钮1,
  编辑框1,
};

enum class HostEvent { Created, Destroying, Clicked };

// The sample domain 编辑框1 holds when the window opens: it shows the user the
// expected form of a line of the domain list.
inline constexpr char SampleDomain[] = "www.example.com";

using EventHandler = void (*)();

// One row of the table that binds a control's event to its handler.
struct EventBinding {
  Control source;
  HostEvent event;
  EventHandler handler;
};

// Message box flags.
constexpr int kMessageOk = 0;
constexpr int kMessageError = 16;
constexpr int kMessageInformation = 64;

// Prepares the host and fixes RunDirectory. When the host cannot start (no
// display, no platform plugin) it says so on stderr and ends the process
// with exit code 1; it never returns without a usable host.
void InitHost();

// Registers a routine that ExitProgram runs, in order of registration.
void RegisterExitRoutine(void (*routine)());

// Creates the main window and its controls as the form describes, binds the
// events of the table and shows the window; the Created handler runs during
// the call. Ends the process with exit code 1 and a message on stderr when the
// window cannot be created.
void LoadWindow(std::span<const EventBinding> bindings);

// Dispatches events to their handlers until the loop ends.
void RunEventLoop();

// The control's text or caption, the main window's being its title; an edit
// box's lines joined by CR LF (a line wrapped for display is one line). The
// empty text for the file dialog, which has neither.
Text ReadText(Control control);

// Replaces the control's text or caption at once.
void WriteText(Control control, const Text& text);

// A disabled control raises no events.
void SetDisabled(Control control, bool disabled);

// Adds text after the last character of an edit box, whatever the caret or
// selection (both stay where they were); not undoable, and like any
// non-undoable change it drops the box's earlier undo steps; scrolls the end
// into view. Costs the same whatever the box holds. Does nothing for a
// control that is not an edit box.
void AppendText(Control editBox, const Text& text);

// Handles all pending events, then returns.
void ProcessEvents();

// Handles events until more than milliseconds have passed; 0 or less
// returns at once.
void DelayWithEvents(int milliseconds);

// Modal message box with no owner window and the exact text and title;
// flags kMessageOk, kMessageInformation or kMessageError. Returns when
// dismissed.
void ShowMessage(const Text& text, int flags, const Text& title);

// Shows the save dialog of the form with the filter ("description|pattern"
// pairs, patterns separated by ";") and initial directory. The dialog asks
// before an existing file is replaced, refuses a folder that does not exist
// and adds no extension. True and the chosen full path in chosenPath when
// confirmed; false, chosenPath untouched, when cancelled or for a control
// that is not the file dialog. Remembers the last confirmed path and offers
// it at the next showing, in place of the initial directory.
bool ShowFileDialog(Control dialog, const Text& filter, const Text& initialDirectory,
                    Text& chosenPath);

// Directory of the program's executable, without a trailing separator.
Text RunDirectory();

// Replaces the file at path with exactly bytes: written to a temporary file
// in the same folder, flushed, then renamed over path. False for an empty
// path or any failure, in which case an earlier file of that name is left
// exactly as it was and no temporary file remains.
bool WriteBytesToFile(const Text& path, const ByteSet& bytes);

// Hands address to the desktop's "open" action; a bare host name opens as a
// web address. Nothing comes back and nothing is shown on failure.
void OpenAddress(const Text& address);

// Runs the exit routines in order of registration, flushes stdio, then ends
// the process with exitCode at once, also from inside a nested handler: no
// handler below it resumes and no destructor runs.
[[noreturn]] void ExitProgram(int exitCode);

#endif  // RUZIDUZ_APP_HOST_HOST_H_

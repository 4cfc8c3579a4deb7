// The program's entry and exit: start-up, the main window's created and
// about-to-be-destroyed handlers, and the release of the keyword buffer.
#ifndef RUZIDUZ_APP_PROGRAM_START_H_
#define RUZIDUZ_APP_PROGRAM_START_H_

// Prepares the host, creates PendingKeywords, registers its release, opens
// the main window and runs the event loop. Returns 0 when the loop ends by
// itself; closing the window ends the process earlier, also with 0. When the
// host cannot start, the host reports it and ends the process with 1.
int ProgramStart();

// Created event of the main window: ExtractionFinished becomes false.
void OnMainWindowCreated();

// About-to-be-destroyed event of the main window: ends the process with exit
// code 0 at once, also from inside a running handler. Does not return.
[[noreturn]] void OnMainWindowDestroying();

// Exit routine: releases every text PendingKeywords holds, then the array.
void ReleasePendingKeywords();

#endif  // RUZIDUZ_APP_PROGRAM_START_H_

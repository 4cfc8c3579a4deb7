#include "app/program_start.h"

#include "app/event_bindings.h"
#include "app/globals.h"
#include "app/host/host.h"

int ProgramStart() {
  InitHost();
  PendingKeywords = TextArray();
  RegisterExitRoutine(ReleasePendingKeywords);
  LoadWindow(MainWindowBindings());
  RunEventLoop();
  return 0;
}

void OnMainWindowCreated() { ExtractionFinished = false; }

void OnMainWindowDestroying() { ExitProgram(0); }

void ReleasePendingKeywords() {
  // swap with a fresh array so the storage itself is released, not just the
  // texts (clear() would keep the capacity).
  TextArray().swap(PendingKeywords);
}

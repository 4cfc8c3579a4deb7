// The two pieces of state that the event handlers share, owned by the
// application shell for the life of the process. Everything runs on the one
// user-interface thread, so nothing here is locked.
#ifndef RUZIDUZ_APP_GLOBALS_H_
#define RUZIDUZ_APP_GLOBALS_H_

#include "text/text.h"

// Keywords of the page just parsed that are still waiting to be shown in
// 编辑框2. Empty outside the stretch of a run between placing a page's
// keywords and the end of FlushKeywords for that page.
extern TextArray PendingKeywords;

// True once an extraction run has completed since the main window was
// created; it gates the keyword export and never goes back to false.
extern bool ExtractionFinished;

#endif  // RUZIDUZ_APP_GLOBALS_H_

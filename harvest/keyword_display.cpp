#include "harvest/keyword_display.h"

#include "app/globals.h"
#include "app/host/host.h"

namespace {

// The pause after each keyword: it paces the whole extraction and keeps the
// window responsive while a page's keywords are shown.
constexpr int kPauseMilliseconds = 80;

}  // namespace

void FlushKeywords() {
  // Window events handled during the pauses never touch PendingKeywords, so
  // the count taken here holds until the end.
  const size_t count = PendingKeywords.size();
  for (size_t i = 0; i < count; ++i) {
    AppendText(Control::编辑框2, ConcatText(PendingKeywords[i], Text("\r\n")));
    DelayWithEvents(kPauseMilliseconds);
    ProcessEvents();
  }
  PendingKeywords.clear();
}

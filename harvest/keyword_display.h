// Paced display of the keywords waiting in PendingKeywords.
#ifndef RUZIDUZ_HARVEST_KEYWORD_DISPLAY_H_
#define RUZIDUZ_HARVEST_KEYWORD_DISPLAY_H_

// Appends each pending keyword and CR LF to 编辑框2, handling window events
// for more than 80 ms after each, then empties PendingKeywords.
void FlushKeywords();

#endif  // RUZIDUZ_HARVEST_KEYWORD_DISPLAY_H_

// The extraction run: every domain line of 编辑框1, its first ranking page
// and the further pages that page announces, harvested into 编辑框2.
#ifndef RUZIDUZ_HARVEST_EXTRACTION_RUN_H_
#define RUZIDUZ_HARVEST_EXTRACTION_RUN_H_

// Runs a whole extraction synchronously, with 按钮1 disabled throughout,
// then shows the run total and the completion message. Reports no failure: a
// page whose request or UTF-8 to GBK conversion fails adds no keywords (and a
// first page that fails, no further pages), and the run goes on. Only an
// empty 编辑框1 stops it before it starts, with a message.
void RunExtraction();

// Click handler of 按钮1.
void OnExtractClicked();

#endif  // RUZIDUZ_HARVEST_EXTRACTION_RUN_H_

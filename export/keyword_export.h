// Saving the keyword list (the whole text of 编辑框2) to a GBK .txt file.
#ifndef RUZIDUZ_EXPORT_KEYWORD_EXPORT_H_
#define RUZIDUZ_EXPORT_KEYWORD_EXPORT_H_

// Refused before the first completed run; otherwise asks for a file name,
// adds ".txt" unless the name ends in "txt", and writes the box's bytes.
void ExportKeywords();

// Click handler of 按钮2.
void OnExportClicked();

#endif  // RUZIDUZ_EXPORT_KEYWORD_EXPORT_H_

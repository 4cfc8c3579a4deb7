// Saving the keyword list (the whole text of 编辑框2) to a GBK .txt file
// that the user names in the save dialog 通用对话框1.
#ifndef RUZIDUZ_EXPORT_KEYWORD_EXPORT_H_
#define RUZIDUZ_EXPORT_KEYWORD_EXPORT_H_

// Refused with a message before the first completed run; otherwise asks for a
// file name, adds ".txt" unless the name ends in "txt", writes the box's bytes
// and says "成功导出！". A cancelled dialog or an empty name ends silently; a
// failed write says "导出失败！" and leaves an earlier file of that name as it
// was.
void ExportKeywords();

// Click handler of 按钮2.
void OnExportClicked();

#endif  // RUZIDUZ_EXPORT_KEYWORD_EXPORT_H_

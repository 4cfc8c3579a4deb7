#include "export/keyword_export.h"

#include "app/globals.h"
#include "app/host/host.h"
#include "text/gbk_literal.h"
#include "text/text.h"

namespace {

// The name the user chose in the save dialog, with ".txt" added unless its
// last three bytes are already "txt". The comparison is byte-wise, so the
// letter case counts ("KEYWORDS.TXT" gets ".txt") and a dot is not needed
// ("mytxt" stays as it is). The empty text when the dialog was cancelled or
// confirmed without a name.
Text ChooseExportPath() {
  static const Text kFilter = Gbk("文本文件(*.txt)|*.txt");
  static const Text kExtensionTest = "txt";
  static const Text kExtension = ".txt";

  // The filter and the initial folder are set anew before every showing; the
  // dialog itself offers the last confirmed path.
  Text path;
  if (!ShowFileDialog(Control::通用对话框1, kFilter, RunDirectory(), path)) return Text();
  if (CompareText(path, Text()) == 0) return Text();
  if (CompareText(RightText(path, 3), kExtensionTest) != 0) path = ConcatText(path, kExtension);
  return path;
}

}  // namespace

void ExportKeywords() {
  static const Text kNoRunYet = Gbk("请先查询取得关键词 或 等待提取完成！");
  static const Text kNoRunYetTitle = Gbk("提示:");  // ASCII colon
  static const Text kExported = Gbk("成功导出！");
  static const Text kNotExported = Gbk("导出失败！");
  static const Text kTitle = Gbk("提示：");  // full-width colon

  if (!ExtractionFinished) {
    ShowMessage(kNoRunYet, kMessageOk, kNoRunYetTitle);
    return;
  }
  const Text path = ChooseExportPath();
  if (path.empty()) return;

  // The box's text goes out byte for byte: GBK with CR LF line ends as
  // ReadText gives it, and characters beyond GBK that the user typed in their
  // GB18030 form. WriteBytesToFile replaces the file through a temporary in
  // the same folder, so a failed write leaves an earlier file as it was.
  if (WriteBytesToFile(path, TextToBytes(ReadText(Control::编辑框2)))) {
    ShowMessage(kExported, kMessageOk, kTitle);
  } else {
    ShowMessage(kNotExported, kMessageError, kTitle);
  }
}

void OnExportClicked() { ExportKeywords(); }

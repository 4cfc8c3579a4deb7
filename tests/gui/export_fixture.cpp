#include "tests/gui/export_fixture.h"

#include <QFileDialog>
#include <QTest>

#include "app/globals.h"
#include "tests/gui/window_controls.h"

void TakeExportWindow(Text& domainList) {
  for (const char* name : {"编辑框1", "编辑框2", "按钮1", "按钮2", "按钮3", "按钮4", "按钮5"}) {
    QVERIFY2(WindowControl(name), name);
  }
  domainList = ReadText(Control::编辑框1);
}

void ResetExportWindow(const Text& domainList) {
  ExtractionFinished = false;
  WriteText(Control::编辑框1, domainList);
  WriteText(Control::编辑框2, Text());
}

ModalScript::Step Answer(const std::optional<QString>& path, QStringList& transcript,
                         QStringList* nameFilters) {
  return [path, &transcript, nameFilters](QWidget* modal) {
    transcript << TranscriptEntry(modal);
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) return PressOk(modal);
    if (nameFilters) *nameFilters = dialog->nameFilters();
    if (path) return ChooseFile(dialog, *path);
    RejectDialog(dialog);
  };
}

QStringList ClickExport(const std::optional<QString>& path, QStringList* nameFilters) {
  QStringList transcript;
  ModalScript script(
      {Answer(path, transcript, nameFilters), Answer(path, transcript, nameFilters)});
  QTest::mouseClick(WindowControl("按钮2"), Qt::LeftButton);
  return transcript + script.problems;
}

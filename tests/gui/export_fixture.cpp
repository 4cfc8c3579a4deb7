#include "tests/gui/export_fixture.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

#include "app/globals.h"
#include "tests/gui/harvest_window.h"

namespace {

QString IconName(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::NoIcon:
      return "no icon";
    case QMessageBox::Information:
      return "information";
    case QMessageBox::Warning:
      return "warning";
    case QMessageBox::Critical:
      return "error";
    case QMessageBox::Question:
      return "question";
  }
  return "?";
}

}  // namespace

const QString kSaveDialog = "save dialog";

QWidget* FindControl(const char* name) { return HarvestControl<QWidget>(name); }

void TakeExportWindow(Text& domainList) {
  for (const char* name : {"编辑框1", "编辑框2", "按钮1", "按钮2", "按钮3", "按钮4", "按钮5"}) {
    QVERIFY2(FindControl(name), name);
  }
  domainList = ReadText(Control::编辑框1);
}

void ResetExportWindow(const Text& domainList) {
  ExtractionFinished = false;
  WriteText(Control::编辑框1, domainList);
  WriteText(Control::编辑框2, Text());
}

QString MessageEntry(const char* title, const char* text, const char* icon) {
  return QString::fromUtf8(title) + '|' + QString::fromUtf8(text) + '|' + QLatin1String(icon);
}

ModalScript::Step Answer(const std::optional<QString>& path, QStringList& transcript,
                         QStringList* nameFilters) {
  return [path, &transcript, nameFilters](QWidget* modal) {
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      transcript << kSaveDialog;
      if (nameFilters) *nameFilters = dialog->nameFilters();
      if (!path) return RejectDialog(dialog);
      // The file-name field ignores selectFile() while it has the focus.
      if (QWidget* focus = dialog->focusWidget()) focus->clearFocus();
      dialog->selectFile(*path);
      static_cast<QDialog*>(dialog)->accept();
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      transcript << box->windowTitle() + '|' + box->text() + '|' + IconName(box->icon());
    } else {
      transcript << modal->metaObject()->className();
    }
    PressOk(modal);
  };
}

QStringList ClickExport(const std::optional<QString>& path, QStringList* nameFilters) {
  QStringList transcript;
  ModalScript script(
      {Answer(path, transcript, nameFilters), Answer(path, transcript, nameFilters)});
  QTest::mouseClick(FindControl("按钮2"), Qt::LeftButton);
  return transcript + script.problems;
}

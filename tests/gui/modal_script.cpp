#include "tests/gui/modal_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTest>

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

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {
  connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
  timer_.start(20);
}

void ModalScript::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  if (modal == current_) {
    if (shownFor_.elapsed() > 5000) {
      problems << QStringLiteral("left open: %1").arg(modal->metaObject()->className());
      modal->close();
    }
    return;
  }
  current_ = modal;
  shownFor_.start();
  if (taken_ >= static_cast<int>(steps_.size())) {
    problems << QStringLiteral("unexpected: %1").arg(modal->metaObject()->className());
    modal->close();
    return;
  }
  Step step = steps_[taken_++];
  QPointer<QWidget> guarded = modal;
  QTimer::singleShot(0, this, [step, guarded] {
    if (guarded) step(guarded);
  });
}

void PressOk(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
      return;
    }
  }
  RejectDialog(modal);
}

void RejectDialog(QWidget* modal) {
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

void ChooseFile(QWidget* modal, const QString& path) {
  auto* dialog = qobject_cast<QFileDialog*>(modal);
  QVERIFY(dialog);
  // selectFile() is ignored while the file-name field has the focus.
  if (QWidget* focus = dialog->focusWidget()) focus->clearFocus();
  dialog->selectFile(path);
  static_cast<QDialog*>(dialog)->accept();  // protected in QFileDialog
}

QString TranscriptEntry(QWidget* modal) {
  if (qobject_cast<QFileDialog*>(modal)) return kSaveDialog;
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    return box->windowTitle() + '|' + box->text() + '|' + IconName(box->icon());
  }
  return modal->metaObject()->className();
}

QString MessageEntry(const char* title, const char* text, const char* icon) {
  return QString::fromUtf8(title) + '|' + QString::fromUtf8(text) + '|' + QLatin1String(icon);
}

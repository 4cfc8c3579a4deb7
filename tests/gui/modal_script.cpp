#include "tests/gui/modal_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>

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

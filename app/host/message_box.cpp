// Message boxes.
#include <QMessageBox>

#include "app/host/host.h"
#include "app/host/text_conversion.h"

namespace {

// The icon bits of the flags (0x70); the button bits are not used, every box
// has an OK button alone.
QMessageBox::Icon IconOf(int flags) {
  switch (flags & 0x70) {
    case kMessageError:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case kMessageInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

void ShowMessage(const Text& text, int flags, const Text& title) {
  // No parent: the box has no owner window and centres on the screen; being
  // application-modal, it still disables every window of the program.
  // Texts break lines with CR LF; a Qt label breaks them at LF alone.
  const QString body = ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(IconOf(flags), ToQString(title), body, QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

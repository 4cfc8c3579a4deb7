// Writing a file and handing an address to the desktop.
#include <QDesktopServices>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include "app/host/host.h"
#include "app/host/text_conversion.h"

// QSaveFile writes to a temporary file beside the target and renames it over
// the target on commit; it removes the temporary file itself on any failure
// (and when it is destroyed uncommitted), and it never falls back to writing
// the target directly.
bool WriteBytesToFile(const Text& path, const ByteSet& bytes) {
  if (path.empty()) return false;
  const QString name = ToQString(path);
  if (QFileInfo(name).isDir()) return false;
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (size > 0 && file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
    return false;
  }
  return file.commit();
}

// An address with a scheme ("tencent://message/?uin=10000") goes to the
// desktop exactly as written; anything else is taken the way a user types it
// into a browser, so a bare host name such as www.example.org becomes
// http://www.example.org and an existing local path a file address.
void OpenAddress(const Text& address) {
  const QString text = ToQString(address);
  if (text.isEmpty()) return;
  const QUrl url = text.contains(QStringLiteral("://")) ? QUrl(text, QUrl::TolerantMode)
                                                        : QUrl::fromUserInput(text);
  QDesktopServices::openUrl(url);
}

// Small file helpers for the GUI tests that write files through the window.
#ifndef RUZIDUZ_TESTS_GUI_TEST_FILES_H_
#define RUZIDUZ_TESTS_GUI_TEST_FILES_H_

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// The file's bytes, or "<unreadable>".
inline QByteArray ReadTestFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Creates or replaces the file; false when that failed.
inline bool WriteTestFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry of the folder, hidden ones included, sorted by name.
inline QStringList FolderEntries(const QString& folder) {
  return QDir(folder).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

#endif  // RUZIDUZ_TESTS_GUI_TEST_FILES_H_

// Keyword export (按钮2) whose write fails, in the real main window: a
// read-only folder, a full disk, a name that is a folder. Each must end in the
// error message, leave an earlier export untouched and leave no temporary
// file behind. A read-only folder for root and a full disk need mounts.
#include <errno.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <string>

#include "app/globals.h"
#include "app/host/host.h"
#include "tests/gui/export_fixture.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/test_files.h"

namespace {

// What went wrong, named by its step, with the system's reason.
QString Refusal(const char* step) {
  const int error = errno;  // before anything else can change it
  return QString("%1: %2").arg(step, strerror(error));
}

bool FolderTakesNewFiles(const QString& folder) {
  QFile probe(folder + "/probe");
  if (!probe.open(QIODevice::WriteOnly)) return false;
  probe.remove();
  return true;
}

// Undoes a mount made by a test when it ends.
struct ScopedMount {
  QByteArray path;
  ~ScopedMount() {
    if (!path.isEmpty()) umount2(path.constData(), MNT_DETACH);
  }
};

// Gives the folder's permissions back so that QTemporaryDir can remove it.
struct ScopedWritable {
  QByteArray path;
  ~ScopedWritable() {
    if (!path.isEmpty()) chmod(path.constData(), 0755);
  }
};

// Makes the folder a read-only bind mount of itself, undone by mounted; gives
// the step that failed, or an empty string.
QString MountReadOnly(const QByteArray& folder, ScopedMount& mounted) {
  if (mount(folder.constData(), folder.constData(), nullptr, MS_BIND, nullptr) != 0) {
    return Refusal("bind-mounting the folder on itself failed");
  }
  mounted.path = folder;
  if (mount(nullptr, folder.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
    return Refusal("remounting the bind mount read-only failed");
  }
  return QString();
}

// Fills the file system of path until it reports no space left.
bool FillDisk(const QString& path) {
  const int fd = open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  static const char block[4096] = {};
  bool full = false;
  for (int i = 0; i < 100000 && !full; ++i)
    full = write(fd, block, sizeof block) < 0 && errno == ENOSPC;
  close(fd);
  return full;
}

// The ways a write can fail that the failure table makes real.
enum class Fault { ReadOnlyFolder, FullDisk, NameIsFolder };

}  // namespace

Q_DECLARE_METATYPE(Fault)

class ExportFailureTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    TakeExportWindow(domainList_);
    // The mounts are made in a mount namespace of this thread's own, made
    // private so that nothing shows outside the test and nothing is left
    // behind if it dies.
    if (unshare(CLONE_NEWNS) != 0) {
      mountRefusal_ = Refusal("no mount namespace of our own: unshare failed");
    } else if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      mountRefusal_ = Refusal("no private mount namespace: making / private failed");
    }
  }

  void cleanupTestCase() { ResetExportWindow(domainList_); }

  void init() { ResetExportWindow(domainList_); }

  void failedWrite_data() {
    QTest::addColumn<Fault>("fault");
    QTest::newRow("read-only folder") << Fault::ReadOnlyFolder;
    QTest::newRow("full disk") << Fault::FullDisk;
    QTest::newRow("name is a folder") << Fault::NameIsFolder;
  }

  // Every row exports under the name keywords, which becomes keywords.txt; an
  // earlier export lies in the folder and must come through untouched.
  void failedWrite() {
    QFETCH(Fault, fault);
    QTemporaryDir temp;
    const QString folder = temp.filePath("target");
    QVERIFY(QDir().mkdir(folder));
    ScopedWritable writable;  // given back after the mount is gone
    ScopedMount mounted;
    QString earlier = folder + "/keywords.txt";
    QStringList entries{"keywords.txt"};
    const QByteArray earlierBytes = "earlier\r\n";
    Text boxText = "kw\r\n";

    switch (fault) {
      case Fault::ReadOnlyFolder: {
        QVERIFY(WriteTestFile(earlier, earlierBytes));
        // Folder permissions bind an ordinary user. Root passes over them, so
        // for root the folder becomes a read-only bind mount of itself.
        QCOMPARE(chmod(folder.toLocal8Bit().constData(), 0555), 0);
        writable.path = folder.toLocal8Bit();
        QString refusal = mountRefusal_;
        if (FolderTakesNewFiles(folder) && refusal.isEmpty()) {
          refusal = MountReadOnly(folder.toLocal8Bit(), mounted);
        }
        if (FolderTakesNewFiles(folder)) {
          if (refusal.isEmpty()) refusal = "the read-only mount still takes new files";
          QSKIP(qPrintable("cannot make a folder read-only for this user: " + refusal));
        }
        break;
      }
      case Fault::FullDisk:
        if (!mountRefusal_.isEmpty()) QSKIP(qPrintable(mountRefusal_));
        if (mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
          QSKIP(qPrintable(Refusal("cannot mount a small file system: mounting tmpfs failed")));
        }
        mounted.path = folder.toLocal8Bit();
        QVERIFY(WriteTestFile(earlier, earlierBytes));
        QVERIFY(FillDisk(folder + "/filler"));
        entries = QStringList{"filler", "keywords.txt"};
        boxText.clear();
        for (int i = 0; i < 2000; ++i) boxText += "keyword " + std::to_string(i) + "\r\n";
        break;
      case Fault::NameIsFolder:
        QVERIFY(QDir().mkdir(folder + "/keywords.txt"));
        earlier = folder + "/keywords.txt/earlier.txt";
        QVERIFY(WriteTestFile(earlier, earlierBytes));
        break;
    }
    ExtractionFinished = true;
    WriteText(Control::编辑框2, boxText);

    QCOMPARE(ClickExport(folder + "/keywords"),
             (QStringList{kSaveDialog, MessageEntry("提示：", "导出失败！", "error")}));
    QCOMPARE(ReadTestFile(earlier), earlierBytes);
    QCOMPARE(FolderEntries(folder), entries);  // no temporary file left behind
  }

 private:
  Text domainList_;
  QString mountRefusal_;
};

REGISTER_GUI_TEST(ExportFailureTest);

#include "export_failure_test.moc"

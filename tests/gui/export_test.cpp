// Keyword export (按钮2) and the link buttons (按钮3, 按钮4, 按钮5) in the
// real main window: the real non-native save dialog and the real message
// boxes, answered from a timer while the click runs.
#include <errno.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "app/globals.h"
#include "app/host/host.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/test_files.h"
#include "tests/support/sample_service.h"

namespace {

QWidget* MainWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QLatin1String("MainWindow")) return widget;
  }
  return nullptr;
}

QWidget* FindControl(const char* name) {
  QWidget* window = MainWindow();
  return window ? window->findChild<QWidget*>(QString::fromUtf8(name)) : nullptr;
}

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

// How a message box is written down in a transcript: "title|text|icon".
QString MessageEntry(const char* title, const char* text, const char* icon) {
  return QString::fromUtf8(title) + '|' + QString::fromUtf8(text) + '|' + QLatin1String(icon);
}

const QString kSaveDialog = "save dialog";

// The step for every modal widget an export brings up: it is written down in
// transcript (the save dialog as kSaveDialog, a message box as
// "title|text|icon"); the save dialog then gets path chosen, or is cancelled
// when there is none, and a message box gets its OK.
ModalScript::Step Answer(const std::optional<QString>& path, QStringList& transcript,
                         QStringList& nameFilters) {
  return [path, &transcript, &nameFilters](QWidget* modal) {
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      transcript << kSaveDialog;
      nameFilters = dialog->nameFilters();
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

// Sends the program's requests to a proxy while the test runs.
class ScopedProxy {
 public:
  explicit ScopedProxy(const std::string& url) : saved_(qgetenv("http_proxy")) {
    qputenv("http_proxy", QByteArray::fromStdString(url));
  }
  ~ScopedProxy() { qputenv("http_proxy", saved_); }

 private:
  QByteArray saved_;
};

// The ways a write can fail that the failure table makes real.
enum class Fault { ReadOnlyFolder, FullDisk, NameIsFolder };

}  // namespace

Q_DECLARE_METATYPE(Fault)

class ExportTest : public QObject {
  Q_OBJECT

 public slots:
  // Receives what the link buttons hand to the desktop.
  void OpenedByDesktop(const QUrl& url) { opened_ << url.toString(); }

 private slots:
  void initTestCase() {
    for (const char* name : {"编辑框1", "编辑框2", "按钮1", "按钮2", "按钮3", "按钮4", "按钮5"}) {
      QVERIFY2(FindControl(name), name);
    }
    domainList_ = ReadText(Control::编辑框1);
    // A read-only folder for root and a full disk need mounts. They are made in
    // a mount namespace of this thread's own, made private so that nothing
    // shows outside the test and nothing is left behind if it dies.
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      mountRefusal_ = QString("no mount namespace of our own: %1").arg(strerror(errno));
    }
    QDesktopServices::setUrlHandler("http", this, "OpenedByDesktop");
    QDesktopServices::setUrlHandler("tencent", this, "OpenedByDesktop");
  }

  void cleanupTestCase() {
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("tencent");
    init();
  }

  void init() {
    ExtractionFinished = false;
    WriteText(Control::编辑框1, domainList_);
    WriteText(Control::编辑框2, Text());
    opened_.clear();
  }

  void refusedBeforeTheFirstCompletedRun() {
    QTemporaryDir temp;
    WriteText(Control::编辑框2, "kw\r\n");
    QCOMPARE(ClickExport(temp.filePath("keywords")),
             QStringList{MessageEntry("提示:", "请先查询取得关键词 或 等待提取完成！", "no icon")});
    QCOMPARE(FolderEntries(temp.path()), QStringList());
  }

  void chosenName_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("alreadyThere");  // written exists before the export
    QTest::newRow("no extension") << "keywords"
                                  << "keywords.txt" << false;
    QTest::newRow("ends in .txt") << "keywords.txt"
                                  << "keywords.txt" << false;
    QTest::newRow("upper case TXT") << "KEYWORDS.TXT"
                                    << "KEYWORDS.TXT.txt" << false;
    QTest::newRow("other extension") << "list.csv"
                                     << "list.csv.txt" << false;
    QTest::newRow("txt without a dot") << "mytxt"
                                       << "mytxt" << false;
    QTest::newRow("extended name exists") << "keywords"
                                          << "keywords.txt" << true;
  }

  void chosenName() {
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(bool, alreadyThere);
    QTemporaryDir temp;
    if (alreadyThere) QVERIFY(WriteTestFile(temp.filePath(written), "an earlier, longer list\r\n"));
    ExtractionFinished = true;
    WriteText(Control::编辑框2, "kw\r\n");

    // The dialog asks nothing: the name chosen in it does not exist.
    QCOMPARE(ClickExport(temp.filePath(typed)),
             (QStringList{kSaveDialog, MessageEntry("提示：", "成功导出！", "no icon")}));
    QCOMPARE(FolderEntries(temp.path()), QStringList{written});
    QCOMPARE(ReadTestFile(temp.filePath(written)), QByteArray("kw\r\n"));
    QVERIFY2(nameFilters_.join(';').contains("*.txt"), qPrintable(nameFilters_.join(';')));
  }

  void fileHoldsTheBoxBytes_data() {
    QTest::addColumn<QByteArray>("shown");  // GBK, appended as a run shows keywords
    QTest::addColumn<QString>("typed");     // then typed by the user at the end
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty box") << QByteArray() << QString() << QByteArray();
    QTest::newRow("three keywords")
        << QByteArray("\xD6\xD0\xCE\xC4\r\nseo tools\r\n\xB9\xD8\xBC\xFC\xB4\xCA\r\n") << QString()
        << QByteArray("\xD6\xD0\xCE\xC4\r\nseo tools\r\n\xB9\xD8\xBC\xFC\xB4\xCA\r\n");
    QTest::newRow("typed by the user") << QByteArray("kw\r\n") << QString::fromUtf8("手动 x\nend")
                                       << QByteArray("kw\r\n\xCA\xD6\xB6\xAF x\r\nend");
    // GBK has no emoji; the box keeps it in its GB18030 form (94 39 FC 36).
    QTest::newRow("beyond GBK") << QByteArray() << QString::fromUtf8("中文😀")
                                << QByteArray("\xD6\xD0\xCE\xC4\x94\x39\xFC\x36");
  }

  void fileHoldsTheBoxBytes() {
    QFETCH(QByteArray, shown);
    QFETCH(QString, typed);
    QFETCH(QByteArray, file);
    QTemporaryDir temp;
    ExtractionFinished = true;
    AppendText(Control::编辑框2, shown.toStdString());
    Type(typed);

    QCOMPARE(ClickExport(temp.filePath("out.txt")),
             (QStringList{kSaveDialog, MessageEntry("提示：", "成功导出！", "no icon")}));
    QCOMPARE(ReadTestFile(temp.filePath("out.txt")), file);
  }

  void cancelAtASecondExportKeepsTheEarlierFile() {
    QTemporaryDir temp;
    ExtractionFinished = true;
    WriteText(Control::编辑框2, "first\r\n");
    QCOMPARE(ClickExport(temp.filePath("keywords.txt")),
             (QStringList{kSaveDialog, MessageEntry("提示：", "成功导出！", "no icon")}));

    WriteText(Control::编辑框2, "second\r\n");
    QCOMPARE(ClickExport(std::nullopt), QStringList{kSaveDialog});
    QCOMPARE(ReadTestFile(temp.filePath("keywords.txt")), QByteArray("first\r\n"));
    QCOMPARE(FolderEntries(temp.path()), QStringList{"keywords.txt"});
  }

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
      case Fault::ReadOnlyFolder:
        QVERIFY(WriteTestFile(earlier, earlierBytes));
        // Folder permissions bind an ordinary user. Root passes over them, so
        // for root the folder becomes a read-only bind mount of itself.
        QCOMPARE(chmod(folder.toLocal8Bit().constData(), 0555), 0);
        writable.path = folder.toLocal8Bit();
        if (FolderTakesNewFiles(folder) && mountRefusal_.isEmpty()) {
          const QByteArray path = folder.toLocal8Bit();
          if (mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0) {
            mounted.path = path;
            mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
          }
        }
        if (FolderTakesNewFiles(folder)) {
          QSKIP(qPrintable("cannot make a folder read-only for this user. " + mountRefusal_));
        }
        break;
      case Fault::FullDisk:
        if (!mountRefusal_.isEmpty()) QSKIP(qPrintable(mountRefusal_));
        if (mount("tmpfs", folder.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") != 0) {
          QSKIP(qPrintable(QString("cannot mount a small file system: %1").arg(strerror(errno))));
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

  void linkButtonsHandTheirAddressToTheDesktop_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("address");
    QTest::newRow("home page") << QString::fromUtf8("按钮5") << "http://www.example.org";
    QTest::newRow("contact") << QString::fromUtf8("按钮3") << "tencent://message/?uin=10000";
    QTest::newRow("forum") << QString::fromUtf8("按钮4") << "http://bbs.example.org";
  }

  void linkButtonsHandTheirAddressToTheDesktop() {
    QFETCH(QString, button);
    QFETCH(QString, address);
    auto* widget = MainWindow()->findChild<QWidget*>(button);
    ModalScript nothingShown({});
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::mouseClick(widget, Qt::LeftButton);  // again: nothing remembers the first
    QCOMPARE(opened_, (QStringList{address, address}));
    QCOMPARE(nothingShown.problems, QStringList());
  }

  // A first run completes; a second one is paused between two keywords: the
  // export saves what is shown so far, the link buttons work, and then the
  // run goes on to its end.
  void exportAndLinksDuringALaterRunsPause() {
    SampleService service;
    ScopedProxy proxy(service.proxyUrl());
    QTemporaryDir temp;
    WriteText(Control::编辑框1, kRunDomain);
    const QString finished = MessageEntry("提示", "提取完毕！", "information");
    {
      QStringList transcript;
      ModalScript script({Answer(std::nullopt, transcript, nameFilters_)});
      QTest::mouseClick(FindControl("按钮1"), Qt::LeftButton);
      QCOMPARE(transcript + script.problems, QStringList{finished});
    }
    const size_t shownByTheFirstRun = ReadText(Control::编辑框2).size();

    // Once the first keyword is shown, the run is in its pause: export, then
    // the three link buttons.
    QByteArray shownAtExport;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
      if (QApplication::activeModalWidget() ||
          ReadText(Control::编辑框2).size() == shownByTheFirstRun) {
        return;
      }
      watch.stop();
      shownAtExport = QByteArray::fromStdString(ReadText(Control::编辑框2));
      for (const char* name : {"按钮2", "按钮5", "按钮3", "按钮4"}) {
        QTest::mouseClick(FindControl(name), Qt::LeftButton);
      }
    });
    watch.start(20);
    QStringList transcript;
    const std::optional<QString> path = temp.filePath("during");
    ModalScript script({Answer(path, transcript, nameFilters_),
                        Answer(path, transcript, nameFilters_),
                        Answer(path, transcript, nameFilters_)});
    QTest::mouseClick(FindControl("按钮1"), Qt::LeftButton);

    QCOMPARE(transcript + script.problems,
             (QStringList{kSaveDialog, MessageEntry("提示：", "成功导出！", "no icon"), finished}));
    QCOMPARE(ReadTestFile(temp.filePath("during.txt")), shownAtExport);
    QCOMPARE(opened_, (QStringList{"http://www.example.org", "tencent://message/?uin=10000",
                                   "http://bbs.example.org"}));
    const QByteArray shownAtEnd = QByteArray::fromStdString(ReadText(Control::编辑框2));
    QVERIFY2(shownAtEnd.startsWith(shownAtExport) && shownAtEnd.size() > shownAtExport.size(),
             "the run did not go on after the export");
  }

 private:
  // Clicks 按钮2 and answers what comes up (choosing path in the save
  // dialog); gives what was shown, the script's problems last.
  QStringList ClickExport(const std::optional<QString>& path) {
    QStringList transcript;
    ModalScript script(
        {Answer(path, transcript, nameFilters_), Answer(path, transcript, nameFilters_)});
    QTest::mouseClick(FindControl("按钮2"), Qt::LeftButton);
    return transcript + script.problems;
  }

  // Types text at the end of 编辑框2 as the user would: ASCII by keys, a line
  // feed by the Enter key, any other run of characters committed at once by an
  // input method (which keeps a surrogate pair together).
  static void Type(const QString& text) {
    QWidget* box = FindControl("编辑框2");
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    QString committed;
    auto commit = [&] {
      if (committed.isEmpty()) return;
      QInputMethodEvent event;
      event.setCommitString(committed);
      QApplication::sendEvent(box, &event);
      committed.clear();
    };
    for (QChar c : text) {
      if (c.unicode() >= 0x80) {
        committed += c;
        continue;
      }
      commit();
      if (c == '\n') {
        QTest::keyClick(box, Qt::Key_Return);
      } else {
        QTest::keyClicks(box, QString(c));
      }
    }
    commit();
  }

  // Fills the file system of path until it reports no space left.
  static bool FillDisk(const QString& path) {
    const int fd = open(path.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    static const char block[4096] = {};
    bool full = false;
    for (int i = 0; i < 100000 && !full; ++i)
      full = write(fd, block, sizeof block) < 0 && errno == ENOSPC;
    close(fd);
    return full;
  }

  // One page of twelve keywords at the sample service.
  static inline const Text kRunDomain = "b.com";

  Text domainList_;
  QString mountRefusal_;
  QStringList nameFilters_;
  QStringList opened_;
};

REGISTER_GUI_TEST(ExportTest);

#include "export_test.moc"

// Keyword export (按钮2) in the real main window: refused before a completed
// run, the name the file gets, the bytes it holds, and a cancelled second
// export. The real non-native save dialog and the real message boxes are
// answered from a timer while the click runs.
#include <QApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "app/globals.h"
#include "app/host/host.h"
#include "tests/gui/export_fixture.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/test_files.h"
#include "tests/gui/window_controls.h"

namespace {

// Types text at the end of 编辑框2 as the user would: ASCII by keys, a line
// feed by the Enter key, any other run of characters committed at once by an
// input method (which keeps a surrogate pair together).
void Type(const QString& text) {
  QWidget* box = WindowControl("编辑框2");
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

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { TakeExportWindow(domainList_); }

  void cleanupTestCase() { ResetExportWindow(domainList_); }

  void init() { ResetExportWindow(domainList_); }

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
    QStringList nameFilters;
    QCOMPARE(ClickExport(temp.filePath(typed), &nameFilters),
             (QStringList{kSaveDialog, MessageEntry("提示：", "成功导出！", "no icon")}));
    QCOMPARE(FolderEntries(temp.path()), QStringList{written});
    QCOMPARE(ReadTestFile(temp.filePath(written)), QByteArray("kw\r\n"));
    QVERIFY2(nameFilters.join(';').contains("*.txt"), qPrintable(nameFilters.join(';')));
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

 private:
  Text domainList_;
};

REGISTER_GUI_TEST(ExportTest);

#include "export_test.moc"

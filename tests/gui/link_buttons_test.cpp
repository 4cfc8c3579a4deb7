// The link buttons (按钮3, 按钮4, 按钮5) in the real main window hand their
// address to the desktop, also while a run is paused between two keywords,
// when the export works as well and the run then goes on to its end.
#include <QApplication>
#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "app/globals.h"
#include "app/host/host.h"
#include "tests/gui/export_fixture.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/test_files.h"
#include "tests/gui/window_controls.h"
#include "tests/support/sample_service.h"
#include "tests/support/scoped_env.h"

class LinkButtonsTest : public QObject {
  Q_OBJECT

 public slots:
  // Receives what the link buttons hand to the desktop.
  void OpenedByDesktop(const QUrl& url) { opened_ << url.toString(); }

 private slots:
  void initTestCase() {
    TakeExportWindow(domainList_);
    QDesktopServices::setUrlHandler("http", this, "OpenedByDesktop");
    QDesktopServices::setUrlHandler("tencent", this, "OpenedByDesktop");
  }

  void cleanupTestCase() {
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("tencent");
    init();
  }

  void init() {
    ResetExportWindow(domainList_);
    opened_.clear();
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
    QWidget* widget = WindowControl(button.toUtf8().constData());
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
    ScopedEnv proxy("http_proxy", service.proxyUrl());
    QTemporaryDir temp;
    WriteText(Control::编辑框1, kRunDomain);
    const QString finished = MessageEntry("提示", "提取完毕！", "information");
    {
      QStringList transcript;
      ModalScript script({Answer(std::nullopt, transcript)});
      QTest::mouseClick(WindowControl("按钮1"), Qt::LeftButton);
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
        QTest::mouseClick(WindowControl(name), Qt::LeftButton);
      }
    });
    watch.start(20);
    QStringList transcript;
    const std::optional<QString> path = temp.filePath("during");
    ModalScript script(
        {Answer(path, transcript), Answer(path, transcript), Answer(path, transcript)});
    QTest::mouseClick(WindowControl("按钮1"), Qt::LeftButton);

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
  // One page of twelve keywords at the sample service.
  static inline const Text kRunDomain = "b.com";

  Text domainList_;
  QStringList opened_;
};

REGISTER_GUI_TEST(LinkButtonsTest);

#include "link_buttons_test.moc"

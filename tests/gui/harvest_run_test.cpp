// The extraction run (按钮1) in the real window against the sample ranking
// service, reached through http_proxy: the requests it makes (from the
// service's log), the status line and 按钮1 while each keyword is shown, the
// keywords in 编辑框2, the final total and the message boxes.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <optional>
#include <string>

#include "app/globals.h"
#include "app/host/host.h"
#include "harvest/ranking_page.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/window_controls.h"
#include "tests/support/sample_service.h"
#include "tests/support/scoped_env.h"
#include "tools/sample-service/fault_pages.h"
#include "tools/sample-service/sample_pages.h"

Q_DECLARE_METATYPE(TextArray)

namespace {

QString FromGbk(const Text& text) {
  const ByteSet utf8 = ConvertEncoding(TextToBytes(text), "GBK", "UTF-8");
  return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), qsizetype(utf8.size()));
}

// What the run shows for a UTF-8 page body: the parser's keywords, a line
// each. The parser itself is tested on its own; here it says what to expect.
TextArray PageKeywords(const std::string& utf8Page) {
  TextArray keywords;
  ExtractKeywords(
      BytesToText(ConvertEncoding(ByteSet(utf8Page.begin(), utf8Page.end()), "UTF-8", "GBK")),
      keywords);
  return keywords;
}

// The keywords as 编辑框2's plain text holds them: a line each, every line
// break (also one inside a keyword) a bare LF.
QString Lines(const TextArray& keywords) {
  QString lines;
  for (const Text& keyword : keywords) lines += FromGbk(keyword) + '\n';
  return lines.replace("\r\n", "\n").replace('\r', '\n');
}

QString PageUrl(const QString& domain, int page) {
  const QString first = "http://rank.example.com/baidu/" + domain + "/";
  return page == 1 ? first : first + QString::number(page) + "/position/";
}

QString PageStatus(const QString& domain, int page) {
  return QString::fromUtf8("当前域名:") + domain + QString::fromUtf8("     当前提取的关键词页面:") +
         QString::number(page);
}

QString TotalStatus(int total) {
  return QString::fromUtf8("本次提取,共得关键字") + QString::number(total) +
         QString::fromUtf8("条！");
}

const QString kFinishedMessage = MessageEntry("提示", "提取完毕！", "information");

// The one step a run's modal widgets get: the message box it shows is
// written down (TranscriptEntry) and answered with OK. A second modal widget
// is a problem of the script.
ModalScript::Step RecordAndPressOk(QStringList& transcript) {
  return [&transcript](QWidget* modal) {
    transcript << TranscriptEntry(modal);
    PressOk(modal);
  };
}

TextArray DomainPageKeywords(const QString& domain, int page) {
  return PageKeywords(RankingPage(domain.toStdString(), page));
}

class HarvestRunTest : public QObject {
  Q_OBJECT

  // Sample domains (tools/sample-service/README.md): b.com has one ranking
  // page, www.example.com two and x.cn three.
  const QString onePage_ = "b.com", twoPages_ = "www.example.com", threePages_ = "x.cn";
  std::unique_ptr<SampleService> service_;
  std::optional<ScopedEnv> proxy_;

  // What one click on 按钮1 did.
  struct Run {
    QStringList messages;
    // For every keyword shown: "status line|latest request|按钮1 state".
    QStringList whileShowing;
    QStringList requests;  // targets of the requests made, in order
  };

  QStringList RequestTargets(size_t from) const {
    QStringList targets;
    const std::vector<LoggedRequest> requests = service_->Requests();
    for (size_t i = from; i < requests.size(); ++i) {
      targets << QString::fromStdString(requests[i].target);
    }
    return targets;
  }

  // Puts domainLines into 编辑框1 and clicks 按钮1; the run is over when the
  // click returns, its closing message answered.
  Run Click(const QString& domainLines) {
    auto* domains = WindowControl<QPlainTextEdit>("编辑框1");
    auto* keywords = WindowControl<QPlainTextEdit>("编辑框2");
    auto* status = WindowControl<QLabel>("标签3");
    auto* button = WindowControl<QPushButton>("按钮1");
    Run run;
    if (!domains || !keywords || !status || !button) return run;
    domains->setPlainText(domainLines);
    const size_t before = service_->Requests().size();
    const auto connection = connect(keywords, &QPlainTextEdit::textChanged, this, [&] {
      const QStringList requests = RequestTargets(before);
      run.whileShowing << status->text() + '|' + requests.value(requests.size() - 1) + '|' +
                              (button->isEnabled() ? "enabled" : "disabled");
    });
    ModalScript script({RecordAndPressOk(run.messages)});
    QTest::mouseClick(button, Qt::LeftButton);
    disconnect(connection);
    run.messages << script.problems;
    run.requests = RequestTargets(before);
    return run;
  }

  static QString KeywordBox() { return WindowControl<QPlainTextEdit>("编辑框2")->toPlainText(); }
  static QString StatusLine() { return WindowControl<QLabel>("标签3")->text(); }
  static bool ButtonEnabled() { return WindowControl<QPushButton>("按钮1")->isEnabled(); }

 private slots:
  void initTestCase() {
    service_ = std::make_unique<SampleService>(SampleService::Options{.log = true});
    proxy_.emplace("http_proxy", service_->proxyUrl());
  }

  void cleanupTestCase() {
    proxy_.reset();
    service_.reset();
  }

  void init() {
    PendingKeywords.clear();
    ExtractionFinished = false;
    WriteText(Control::编辑框1, "");
    WriteText(Control::编辑框2, "");
    WriteText(Control::标签3, "");
    SetDisabled(Control::按钮1, false);
  }

  void emptyBoxAsksForDomainsAndDoesNothingElse() {
    WriteText(Control::编辑框2, "kept");
    WriteText(Control::标签3, "before");
    const Run run = Click("");
    QCOMPARE(run.messages, QStringList{MessageEntry("提示：", "请输入要查询的域名！", "no icon")});
    QCOMPARE(run.requests, QStringList());
    QCOMPARE(KeywordBox(), QString("kept"));
    QCOMPARE(StatusLine(), QString("before"));
    QVERIFY(ButtonEnabled());
    QVERIFY(!ExtractionFinished);
  }

  void onlyLineBreaksCompleteARunWithoutRequests() {
    const Run run = Click("\n\n");
    QCOMPARE(run.requests, QStringList());
    QCOMPARE(run.messages, QStringList{kFinishedMessage});
    QCOMPARE(StatusLine(), TotalStatus(0));
    QVERIFY(ExtractionFinished);
    QVERIFY(ButtonEnabled());
  }

  // Lines go into the addresses exactly as typed; on the wire the blanks
  // are percent-encoded. Names under .test without a fault are not found
  // (a 404 page without keywords), which keeps these runs short.
  void linesGoIntoTheAddressAsTyped_data() {
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QStringList>("requests");
    QTest::newRow("leading and inner blanks")
        << " a b.test" << QStringList{PageUrl("%20a%20b.test", 1)};
    QTest::newRow("full-width blank")
        << QString::fromUtf8("a\u3000b.test") << QStringList{PageUrl("a%E3%80%80b.test", 1)};
    // The window holds no bare LF or CR: either one typed or pasted into the
    // box is a line break, so the two names are two domains.
    QTest::newRow("bare LF") << "a.test\nb.test"
                             << QStringList{PageUrl("a.test", 1), PageUrl("b.test", 1)};
    QTest::newRow("bare CR") << "a.test\rb.test"
                             << QStringList{PageUrl("a.test", 1), PageUrl("b.test", 1)};
  }

  void linesGoIntoTheAddressAsTyped() {
    QFETCH(QString, lines);
    QFETCH(QStringList, requests);
    const Run run = Click(lines);
    QCOMPARE(run.requests, requests);
    QCOMPARE(run.messages, QStringList{kFinishedMessage});
    QCOMPARE(StatusLine(), TotalStatus(0));
  }

  // The first page's three pager links give pages 2 and 3. The further pages
  // carry the same three links, which are not counted again.
  void furtherPagesFollowTheFirstPage() {
    const Run run = Click(threePages_);
    QStringList requests, whileShowing;
    QString shown;
    int total = 0;
    for (int page = 1; page <= 3; ++page) {
      requests << PageUrl(threePages_, page);
      const TextArray keywords = DomainPageKeywords(threePages_, page);
      QVERIFY(!keywords.empty());
      for (size_t i = 0; i < keywords.size(); ++i) {
        whileShowing << PageStatus(threePages_, page) + '|' + PageUrl(threePages_, page) +
                            "|disabled";
      }
      shown += Lines(keywords);
      total += int(keywords.size());
    }
    QCOMPARE(run.requests, requests);
    QCOMPARE(run.whileShowing, whileShowing);
    QCOMPARE(KeywordBox(), shown);
    QCOMPARE(StatusLine(), TotalStatus(total));
    QCOMPARE(run.messages, QStringList{kFinishedMessage});
    QVERIFY(ButtonEnabled());
    QVERIFY(ExtractionFinished);
    QVERIFY(PendingKeywords.empty());
  }

  // A first page that fails or is broken gives what the parser finds in it
  // (nothing when the request or the conversion failed) and no further
  // page; the next domain is harvested as usual.
  void brokenFirstPageAndTheRunGoesOn_data() {
    QTest::addColumn<QString>("domain");
    QTest::addColumn<TextArray>("keywords");
    QTest::newRow("connection reset") << "reset.test" << TextArray{};
    QTest::newRow("empty body") << "empty.test" << TextArray{};
    QTest::newRow("invalid UTF-8") << "badutf8.test" << TextArray{};
    QTest::newRow("character GBK cannot hold") << "nongbk.test" << TextArray{};
    QTest::newRow("not found") << "nosuch.test" << TextArray{};
    QTest::newRow("server error page")
        << "error500.test"
        << TextArray{"\xB7\xFE\xCE\xF1\xC6\xF7\xB4\xED\xCE\xF3",  // 服务器错误
                     "\xCD\xF8\xD5\xBE\xCE\xAC\xBB\xA4"};         // 网站维护
    QTest::newRow("unclosed link") << "unclosed.test" << PageKeywords(UnclosedLinkPage());
  }

  void brokenFirstPageAndTheRunGoesOn() {
    QFETCH(QString, domain);
    QFETCH(TextArray, keywords);
    const Run run = Click(domain + "\n" + onePage_);
    const TextArray next = DomainPageKeywords(onePage_, 1);
    QCOMPARE(run.requests, (QStringList{PageUrl(domain, 1), PageUrl(onePage_, 1)}));
    QCOMPARE(KeywordBox(), Lines(keywords) + Lines(next));
    QCOMPARE(StatusLine(), TotalStatus(int(keywords.size() + next.size())));
    QCOMPARE(run.messages, QStringList{kFinishedMessage});
  }

  // 编辑框2 keeps the first run's keywords; the total counts this run's.
  void secondRunAppendsAndCountsItsOwn() {
    Click(onePage_);
    const Run second = Click(twoPages_);
    const TextArray first = DomainPageKeywords(onePage_, 1);
    TextArray next = DomainPageKeywords(twoPages_, 1);
    const TextArray nextPage2 = DomainPageKeywords(twoPages_, 2);
    next.insert(next.end(), nextPage2.begin(), nextPage2.end());
    QCOMPARE(second.requests, (QStringList{PageUrl(twoPages_, 1), PageUrl(twoPages_, 2)}));
    QCOMPARE(KeywordBox(), Lines(first) + Lines(next));
    QCOMPARE(StatusLine(), TotalStatus(int(next.size())));
    QCOMPARE(second.messages, QStringList{kFinishedMessage});
    QVERIFY(ExtractionFinished);
  }
};

}  // namespace

REGISTER_GUI_TEST(HarvestRunTest);

#include "harvest_run_test.moc"

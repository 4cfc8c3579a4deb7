// FlushKeywords in the real window: the pending keywords become lines at the
// end of 编辑框2, each followed by a pause in which window events are handled.
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <vector>

#include "app/globals.h"
#include "app/host/host.h"
#include "harvest/keyword_display.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/window_controls.h"

namespace {

// More than 80 ms, as the pause promises.
constexpr qint64 kPauseNanoseconds = 80'000'000;

class HarvestFlushTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    PendingKeywords.clear();
    WriteText(Control::编辑框2, "");
  }

  void emptyListAppendsNothingWithoutPause() {
    QElapsedTimer clock;
    clock.start();
    FlushKeywords();
    QVERIFY(clock.nsecsElapsed() < kPauseNanoseconds);
    QCOMPARE(ReadText(Control::编辑框2), Text());
    QVERIFY(PendingKeywords.empty());
  }

  void eachKeywordIsALineFollowedByAPause() {
    auto* box = WindowControl<QPlainTextEdit>("编辑框2");
    QVERIFY(box);
    QElapsedTimer clock;
    std::vector<qint64> appended;  // when each line arrived
    const auto connection = connect(box, &QPlainTextEdit::textChanged, this,
                                    [&] { appended.push_back(clock.nsecsElapsed()); });
    PendingKeywords = {"\xD6\xD0\xCE\xC4", "seo", "a b"};  // 中文 in GBK
    clock.start();
    FlushKeywords();
    const qint64 finished = clock.nsecsElapsed();
    disconnect(connection);

    QCOMPARE(ReadText(Control::编辑框2), Text("\xD6\xD0\xCE\xC4\r\nseo\r\na b\r\n"));
    QVERIFY(PendingKeywords.empty());
    QCOMPARE(appended.size(), size_t{3});
    appended.push_back(finished);
    for (size_t i = 0; i + 1 < appended.size(); ++i) {
      QVERIFY2(appended[i + 1] - appended[i] > kPauseNanoseconds,
               qPrintable(QString("pause after keyword %1").arg(i + 1)));
    }
  }

  void firstKeywordContinuesAnUnendedLastLine() {
    WriteText(Control::编辑框2, "typed\r\nby hand");
    PendingKeywords = {"seo"};
    FlushKeywords();
    QCOMPARE(ReadText(Control::编辑框2), Text("typed\r\nby handseo\r\n"));
  }

  void keywordWithLineBreaksIsAppendedUnchanged() {
    PendingKeywords = {"x/\" title=\"t\">x</a>\r\n<a href=\"y", "z"};
    FlushKeywords();
    QCOMPARE(ReadText(Control::编辑框2), Text("x/\" title=\"t\">x</a>\r\n<a href=\"y\r\nz\r\n"));
  }

  // During the pause after the first keyword the user puts the caret at the
  // start and types: the next keyword still goes to the end of the box.
  void userTypingAtTheStartDuringAPause() {
    auto* box = WindowControl<QPlainTextEdit>("编辑框2");
    QVERIFY(box);
    bool typed = false;
    const auto connection = connect(box, &QPlainTextEdit::textChanged, this, [&] {
      if (typed) return;
      typed = true;
      QTimer::singleShot(0, box, [box] {
        box->moveCursor(QTextCursor::Start);
        QTest::keyClicks(box, "typed ");
      });
    });
    PendingKeywords = {"a", "b"};
    FlushKeywords();
    disconnect(connection);
    QCOMPARE(ReadText(Control::编辑框2), Text("typed a\r\nb\r\n"));
  }
};

}  // namespace

REGISTER_GUI_TEST(HarvestFlushTest);

#include "harvest_flush_test.moc"

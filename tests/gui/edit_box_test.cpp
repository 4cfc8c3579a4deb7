// Reading, writing and appending to the controls of the loaded main window:
// CR LF lines, GB18030 at the boundary, and an append that leaves the user's
// caret, selection and undo alone.
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "app/host/host.h"
#include "app/host/main_form.h"
#include "tests/gui/gui_test.h"

namespace {

QPlainTextEdit* EditBox(Control control) {
  return qobject_cast<QPlainTextEdit*>(LoadedMainForm()->ControlWidget(control));
}

struct AppendRow {
  const char* name;
  const char* before;  // UTF-8, in the box
  int anchor;          // the user's selection (anchor == position: a caret)
  int position;
  const char* appended;  // GBK
  const char* after;     // UTF-8
};

const AppendRow kAppendRows[] = {
    {"caret in the middle", "aaa\nbbb\n", 2, 2, "kw\r\n", "aaa\nbbb\nkw\n"},
    {"selection", "aaa\nbbb\n", 4, 7, "kw\r\n", "aaa\nbbb\nkw\n"},
    {"selection made backwards", "aaa\nbbb\n", 7, 4, "kw\r\n", "aaa\nbbb\nkw\n"},
    {"caret at the very end", "aaa\n", 4, 4, "kw\r\n", "aaa\nkw\n"},
    {"selection up to the end", "aaa\nbbb", 4, 7, "kw\r\n", "aaa\nbbbkw\n"},
    {"last line without a break", "abc", 0, 0, "kw\r\n", "abckw\n"},
    {"empty box", "", 0, 0, "kw\r\n", "kw\n"},
    {"Chinese keyword", "", 0, 0, "\xD6\xD0\xCE\xC4\r\n", "中文\n"},
    {"keyword holding line breaks", "a\n", 0, 0, "x\r\ny\r\n", "a\nx\ny\n"},
};

struct ReadRow {
  const char* name;
  QString shown;  // as the box holds it
  Text read;      // GB18030 bytes, lines joined by CR LF
};

const QString kLineSeparator(QChar::LineSeparator);

const ReadRow kReadRows[] = {
    {"lines", "a\nb\n", "a\r\nb\r\n"},
    {"empty box", "", ""},
    {"pasted CR LF and CR", "a\r\nb\rc", "a\r\nb\r\nc"},
    {"Shift+Enter break", "a" + kLineSeparator + "b", "a\r\nb"},
    {"Chinese", QString::fromUtf8("中文"), "\xD6\xD0\xCE\xC4"},
    {"beyond GBK", QString::fromUtf8("😀"), "\x94\x39\xFC\x36"},
    {"no-break space kept", QString::fromUtf8("a\u00A0b"),
     "a\x81\x30\x84\x32"
     "b"},
    {"zero character dropped", QStringLiteral("a") + QChar(u'\0') + "b", "ab"},
};

struct ShowRow {
  const char* name;
  Text written;   // bytes handed to WriteText
  QString shown;  // what the label then shows
};

const ShowRow kShowRows[] = {
    {"GBK", "\xB9\xD8\xBC\xFC\xB4\xCA", QString::fromUtf8("关键词")},
    {"four-byte GB18030", "\x94\x39\xFC\x36", QString::fromUtf8("😀")},
    {"dangling lead byte", "ab\xD6", QString::fromUtf8("ab\uFFFD")},
    {"GBK euro sign", "\x80\xD6\xD0\xFF", QString::fromUtf8("€中\uFFFD")},
    {"bad byte before a character", "\xFF\xD6\xD0", QString::fromUtf8("\uFFFD中")},
    {"bad line among good ones", "\xD6\xD0\n\xFF\n\xCE\xC4", QString::fromUtf8("中\n\uFFFD\n文")},
};

}  // namespace

class EditBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { domainList_ = ReadText(Control::编辑框1); }

  void cleanupTestCase() {
    WriteText(Control::编辑框1, domainList_);
    WriteText(Control::编辑框2, Text());
    WriteText(Control::标签3, Text());
  }

  void appendText_data() { AddTableRows(kAppendRows); }

  void appendText() {
    const AppendRow& c = FetchTableRow(kAppendRows);
    QPlainTextEdit* box = EditBox(Control::编辑框2);
    box->setPlainText(QString::fromUtf8(c.before));
    QTextCursor user = box->textCursor();
    user.setPosition(c.anchor);
    user.setPosition(c.position, QTextCursor::KeepAnchor);
    box->setTextCursor(user);
    const QString selected = user.selectedText();

    AppendText(Control::编辑框2, c.appended);

    QCOMPARE(box->toPlainText(), QString::fromUtf8(c.after));
    QCOMPARE(box->textCursor().anchor(), c.anchor);
    QCOMPARE(box->textCursor().position(), c.position);
    QCOMPARE(box->textCursor().selectedText(), selected);
    box->undo();
    QCOMPARE(box->toPlainText(), QString::fromUtf8(c.after));
  }

  // The user's own typing stays in the box; no undo takes the keywords away.
  void appendAfterTypingIsNotUndone() {
    QPlainTextEdit* box = EditBox(Control::编辑框2);
    box->clear();
    box->setFocus();
    QTest::keyClicks(box, "typed");
    QVERIFY(box->document()->isUndoAvailable());
    AppendText(Control::编辑框2, "\r\nkw\r\n");
    box->undo();
    box->undo();
    QCOMPARE(box->toPlainText(), QStringLiteral("typed\nkw\n"));
    // Typing goes on where the caret was, before the appended keyword.
    QTest::keyClicks(box, "!");
    QCOMPARE(box->toPlainText(), QStringLiteral("typed!\nkw\n"));
  }

  void appendScrollsTheEndIntoView_data() {
    QTest::addColumn<QByteArray>("appended");
    QTest::newRow("a keyword line") << QByteArray("kw\r\n");
    QTest::newRow("a line wider than the box") << QByteArray(300, 'w');
  }

  void appendScrollsTheEndIntoView() {
    QFETCH(QByteArray, appended);
    QPlainTextEdit* box = EditBox(Control::编辑框2);
    QStringList lines;
    for (int i = 0; i < 300; ++i) lines << QStringLiteral("line %1").arg(i);
    box->setPlainText(lines.join('\n') + '\n');
    box->moveCursor(QTextCursor::Start);
    box->verticalScrollBar()->setValue(0);
    box->horizontalScrollBar()->setValue(0);

    AppendText(Control::编辑框2, appended.toStdString());

    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    QVERIFY2(box->viewport()->rect().contains(box->cursorRect(end)),
             "the end of the text is not in view");
    QCOMPARE(box->textCursor().position(), 0);
  }

  void readTextJoinsLinesWithCrLf_data() { AddTableRows(kReadRows); }

  void readTextJoinsLinesWithCrLf() {
    const ReadRow& c = FetchTableRow(kReadRows);
    EditBox(Control::编辑框1)->setPlainText(c.shown);
    QCOMPARE(QByteArray::fromStdString(ReadText(Control::编辑框1)),
             QByteArray::fromStdString(c.read));
  }

  // 编辑框1 wraps a long domain over several display lines; it stays one line
  // of text.
  void wrappedLineReadsAsOneLine() {
    const Text domain = "www." + std::string(120, 'a') + ".example.com";
    WriteText(Control::编辑框1, domain + "\r\n" + domain);
    QPlainTextEdit* box = EditBox(Control::编辑框1);
    const QTextBlock first = box->document()->firstBlock();
    QVERIFY(first.layout()->lineCount() > 1);
    QCOMPARE(box->document()->blockCount(), 2);
    QCOMPARE(QByteArray::fromStdString(ReadText(Control::编辑框1)),
             QByteArray::fromStdString(domain + "\r\n" + domain));
  }

  void writeTextShowsEveryCharacter_data() { AddTableRows(kShowRows); }

  void writeTextShowsEveryCharacter() {
    const ShowRow& c = FetchTableRow(kShowRows);
    WriteText(Control::标签3, c.written);
    auto* label = qobject_cast<QLabel*>(LoadedMainForm()->ControlWidget(Control::标签3));
    QCOMPARE(label->text(), c.shown);
  }

  void captionsReadBackAsWritten() {
    for (Control control : {Control::按钮1, Control::标签3, Control::MainWindow}) {
      const Text before = ReadText(control);
      WriteText(control, "\xB2\xE2\xCA\xD4 x");  // 测试 x
      QCOMPARE(QByteArray::fromStdString(ReadText(control)), QByteArray("\xB2\xE2\xCA\xD4 x"));
      WriteText(control, before);
    }
    QCOMPARE(ReadText(Control::通用对话框1), Text());
  }

 private:
  Text domainList_;
};

REGISTER_GUI_TEST(EditBoxTest);

#include "edit_box_test.moc"

// The main window's form and keys, on a window of its own that the host builds
// from a recording event table, so that no real handler runs and closing it
// does not end the test program.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <array>
#include <memory>

#include "app/host/main_form.h"
#include "tests/gui/gui_test.h"

namespace {

std::size_t Slot(Control control) { return static_cast<std::size_t>(control); }

// How often each control's handler ran; MainWindow counts Destroying.
std::array<int, kControlCount> gRaised{};

template <Control source>
void Record() {
  ++gRaised[Slot(source)];
}

const EventBinding kRecordingTable[] = {
    {Control::MainWindow, HostEvent::Destroying, Record<Control::MainWindow>},
    {Control::按钮1, HostEvent::Clicked, Record<Control::按钮1>},
    {Control::按钮2, HostEvent::Clicked, Record<Control::按钮2>},
    {Control::按钮3, HostEvent::Clicked, Record<Control::按钮3>},
    {Control::按钮4, HostEvent::Clicked, Record<Control::按钮4>},
    {Control::按钮5, HostEvent::Clicked, Record<Control::按钮5>},
};

struct FormRow {
  const char* name;
  const char* kind;  // Qt class
  QRect place;
  const char* text;
};

const FormRow kFormRows[] = {
    {"按钮5", "QPushButton", {200, 360, 80, 40}, "访问官网"},
    {"按钮4", "QPushButton", {200, 312, 80, 40}, "访问za论坛"},
    {"按钮3", "QPushButton", {200, 264, 80, 40}, "联系作者"},
    {"按钮2", "QPushButton", {200, 152, 72, 36}, "导出"},
    {"标签3", "QLabel", {32, 468, 496, 24}, ""},
    {"标签2", "QLabel", {336, 0, 104, 24}, "关键词列表:"},
    {"标签1", "QLabel", {16, 0, 144, 24}, "域名列表[一行一条]："},
    {"编辑框2", "QPlainTextEdit", {288, 24, 232, 430}, ""},
    {"按钮1", "QPushButton", {192, 56, 96, 48}, "全自动提取 =>"},
    {"编辑框1", "QPlainTextEdit", {8, 24, 184, 430}, "www.example.com"},
};

struct KeyRow {
  const char* name;
  Control focus;
  Qt::Key key;
  bool extractDisabled;  // 按钮1 disabled, as during a run
  int extractClicks;     // expected clicks of 按钮1
  bool closes;
  bool lineBreak;  // expected in the focused edit box
};

const KeyRow kKeyRows[] = {
    {"Esc in 编辑框1", Control::编辑框1, Qt::Key_Escape, false, 0, true, false},
    {"Esc in 编辑框2", Control::编辑框2, Qt::Key_Escape, false, 0, true, false},
    {"Esc on 按钮1", Control::按钮1, Qt::Key_Escape, false, 0, true, false},
    {"Esc on 按钮4", Control::按钮4, Qt::Key_Escape, false, 0, true, false},
    {"Esc during a run", Control::按钮2, Qt::Key_Escape, true, 0, true, false},
    {"Enter on 按钮1", Control::按钮1, Qt::Key_Return, false, 1, false, false},
    {"Enter on 按钮2", Control::按钮2, Qt::Key_Return, false, 1, false, false},
    {"Enter on 按钮3", Control::按钮3, Qt::Key_Return, false, 1, false, false},
    {"Enter on 按钮4", Control::按钮4, Qt::Key_Return, false, 1, false, false},
    {"Enter on 按钮5", Control::按钮5, Qt::Key_Return, false, 1, false, false},
    {"keypad Enter on 按钮3", Control::按钮3, Qt::Key_Enter, false, 1, false, false},
    {"Enter on 按钮2 during a run", Control::按钮2, Qt::Key_Return, true, 0, false, false},
    {"Enter on 按钮5 during a run", Control::按钮5, Qt::Key_Return, true, 0, false, false},
    {"Enter in 编辑框1", Control::编辑框1, Qt::Key_Return, false, 0, false, true},
    {"Enter in 编辑框2", Control::编辑框2, Qt::Key_Return, false, 0, false, true},
    {"keypad Enter in 编辑框1", Control::编辑框1, Qt::Key_Enter, false, 0, false, true},
    {"Enter in 编辑框2 during a run", Control::编辑框2, Qt::Key_Return, true, 0, false, true},
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    form_ = std::make_unique<MainForm>(kRecordingTable);
    form_->ShowCentred();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    // The window opens ready for typing domains.
    QCOMPARE(QApplication::focusWidget(), Widget(Control::编辑框1));
  }

  void cleanupTestCase() { form_.reset(); }

  // Every row starts from the window shown, active and idle.
  void init() {
    gRaised = {};
    Widget(Control::按钮1)->setEnabled(true);
    if (!form_->isVisible()) form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }

  void controlsMatchTheForm_data() { AddTableRows(kFormRows); }

  void controlsMatchTheForm() {
    const FormRow& expected = FetchTableRow(kFormRows);
    auto* widget = form_->findChild<QWidget*>(QString::fromUtf8(expected.name));
    QVERIFY(widget);
    QCOMPARE(widget->metaObject()->className(), expected.kind);
    QCOMPARE(widget->geometry(), expected.place);
    QVERIFY(widget->isVisible() && widget->isEnabled());
    QString text;
    if (auto* button = qobject_cast<QPushButton*>(widget)) text = button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) text = edit->toPlainText();
    QCOMPARE(text, QString::fromUtf8(expected.text));
  }

  void windowHasTheFormsCaptionSizeAndFrame() {
    QCOMPARE(form_->objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(form_->windowTitle(), QString::fromUtf8("Ruziduz网站关键词提取工具"));
    // Outer size with the frame the platform adds (offscreen: 2 px a side).
    QCOMPARE(form_->frameGeometry().size(), QSize(528, 540));
    const QMargins frame = form_->windowHandle()->frameMargins();
    QCOMPARE(form_->size(),
             QSize(528 - frame.left() - frame.right(), 540 - frame.top() - frame.bottom()));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    const QPoint offCentre =
        form_->frameGeometry().center() - form_->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 2, "not centred on the screen");
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  }

  void fontsAndColoursMatchTheForm() {
    for (Control control : {Control::按钮2, Control::标签3}) {
      const QFont font = Widget(control)->font();
      QCOMPARE(QFontInfo(font).pixelSize(), 12);
      QCOMPARE(font.weight(), QFont::Normal);
      QVERIFY2(QFontDatabase::writingSystems(QFontInfo(font).family())
                   .contains(QFontDatabase::SimplifiedChinese),
               qPrintable(QFontInfo(font).family()));
    }
    const auto textColour = [this](Control control) {
      return Widget(control)->palette().color(QPalette::Active, QPalette::WindowText);
    };
    QCOMPARE(textColour(Control::标签3), QColor(255, 0, 0));
    QCOMPARE(textColour(Control::标签1), QColor(Qt::black));
    QCOMPARE(textColour(Control::标签2), QColor(Qt::black));
    for (Control control : {Control::编辑框1, Control::编辑框2}) {
      const QPalette palette = Widget(control)->palette();
      QCOMPARE(palette.color(QPalette::Active, QPalette::Base), QColor(Qt::white));
      QCOMPARE(palette.color(QPalette::Active, QPalette::Text), QColor(Qt::black));
      // The selection of a box without the focus is drawn in these: invisible.
      QCOMPARE(palette.color(QPalette::Inactive, QPalette::Highlight), QColor(Qt::white));
      QCOMPARE(palette.color(QPalette::Inactive, QPalette::HighlightedText), QColor(Qt::black));
    }
  }

  void editBoxesWrapAndScrollAsTheFormSays() {
    auto* domains = Edit(Control::编辑框1);
    QCOMPARE(domains->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(domains->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(domains->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    auto* keywords = Edit(Control::编辑框2);
    QCOMPARE(keywords->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(keywords->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(keywords->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(!domains->isReadOnly() && !keywords->isReadOnly());
  }

  // Tab visits the buttons and edit boxes, never the labels, and comes round.
  void tabMovesThroughTheTabStops() {
    Widget(Control::编辑框1)->setFocus();
    QStringList visited;
    for (int i = 0; i < 7; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited.join(' '), QString::fromUtf8("按钮1 按钮2 按钮3 按钮4 按钮5 编辑框2 编辑框1"));
  }

  void keys_data() { AddTableRows(kKeyRows); }

  void keys() {
    const KeyRow& key = FetchTableRow(kKeyRows);
    auto* edit = qobject_cast<QPlainTextEdit*>(Widget(key.focus));
    if (edit) edit->setPlainText(QStringLiteral("a"));
    QWidget* focus = Widget(key.focus);
    focus->setFocus();
    QCOMPARE(QApplication::focusWidget(), focus);
    Widget(Control::按钮1)->setEnabled(!key.extractDisabled);

    QTest::keyClick(focus, key.key);

    QCOMPARE(gRaised[Slot(Control::按钮1)], key.extractClicks);
    for (Control other : {Control::按钮2, Control::按钮3, Control::按钮4, Control::按钮5}) {
      QCOMPARE(gRaised[Slot(other)], 0);
    }
    QCOMPARE(gRaised[Slot(Control::MainWindow)], key.closes ? 1 : 0);
    QCOMPARE(form_->isVisible(), !key.closes);
    if (edit) QCOMPARE(edit->blockCount(), key.lineBreak ? 2 : 1);
  }

 private:
  QWidget* Widget(Control control) const { return form_->ControlWidget(control); }
  QPlainTextEdit* Edit(Control control) const {
    return qobject_cast<QPlainTextEdit*>(Widget(control));
  }

  std::unique_ptr<MainForm> form_;
};

REGISTER_GUI_TEST(WindowTest);

#include "window_test.moc"

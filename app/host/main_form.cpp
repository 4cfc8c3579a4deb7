// The controls of the main window's form and their looks.
#include "app/host/main_form.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>

namespace {

enum class Kind { Button, Label, EditBox };

struct ControlForm {
  Control control;
  const char* name;  // the form's name, also the widget's objectName
  Kind kind;
  QRect place;       // left, top, width, height in the window's client area
  const char* text;  // UTF-8
};

// In the form's own order, which is also the stacking order.
constexpr ControlForm kForm[] = {
    {Control::按钮5, "按钮5", Kind::Button, {200, 360, 80, 40}, "访问官网"},
    {Control::按钮4, "按钮4", Kind::Button, {200, 312, 80, 40}, "访问za论坛"},
    {Control::按钮3, "按钮3", Kind::Button, {200, 264, 80, 40}, "联系作者"},
    {Control::按钮2, "按钮2", Kind::Button, {200, 152, 72, 36}, "导出"},
    {Control::标签3, "标签3", Kind::Label, {32, 468, 496, 24}, ""},
    {Control::标签2, "标签2", Kind::Label, {336, 0, 104, 24}, "关键词列表:"},
    {Control::标签1, "标签1", Kind::Label, {16, 0, 144, 24}, "域名列表[一行一条]："},
    {Control::编辑框2, "编辑框2", Kind::EditBox, {288, 24, 232, 430}, ""},
    {Control::按钮1, "按钮1", Kind::Button, {192, 56, 96, 48}, "全自动提取 =>"},
    {Control::编辑框1, "编辑框1", Kind::EditBox, {8, 24, 184, 430}, SampleDomain},
};

// Tab order: down the left box, the buttons top to bottom, then the right box.
constexpr Control kTabOrder[] = {Control::编辑框1, Control::按钮1, Control::按钮2,  Control::按钮3,
                                 Control::按钮4,   Control::按钮5, Control::编辑框2};

// A 12-pixel, normal-weight font of a face that holds simplified Chinese: the
// first of the well-known CJK faces that is installed; where none is, the
// first face that claims the script, else the default face (fontconfig then
// falls back per character). The font matcher takes the preferred faces in
// order; the faces are searched by writing system only when it found none.
QFont SmallChineseFont() {
  static const QStringList kPreferred = {"WenQuanYi Micro Hei", "Noto Sans CJK SC",
                                         "Source Han Sans SC", "WenQuanYi Zen Hei",
                                         "Droid Sans Fallback"};
  QFont font;
  font.setFamilies(kPreferred);
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  if (!kPreferred.contains(QFontInfo(font).family())) {
    const QStringList present = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    if (!present.isEmpty()) font.setFamilies({present.first()});
  }
  return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Active, QPalette::WindowText, colour);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
  widget->setPalette(palette);
}

// Both edit boxes: black on white, a sunken 3-D border, and the selection
// hidden while the box lacks the focus (the text control paints the selection
// of an unfocused box with the Inactive colours). They are tab stops like the
// buttons, so Tab moves the focus on instead of typing a tab character.
QPlainTextEdit* NewEditBox(QWidget* parent) {
  auto* edit = new QPlainTextEdit(parent);
  edit->setTabChangesFocus(true);
  edit->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  edit->setLineWidth(2);
  QPalette palette = edit->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::Base, Qt::white);
    palette.setColor(group, QPalette::Text, Qt::black);
  }
  palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
  edit->setPalette(palette);
  return edit;
}

QWidget* NewControl(const ControlForm& form, QWidget* parent) {
  const QString text = QString::fromUtf8(form.text);
  QWidget* widget = nullptr;
  switch (form.kind) {
    case Kind::Button:
      widget = new QPushButton(text, parent);
      break;
    case Kind::Label: {
      auto* label = new QLabel(text, parent);
      label->setTextFormat(Qt::PlainText);
      SetTextColour(label, Qt::black);
      widget = label;
      break;
    }
    case Kind::EditBox: {
      QPlainTextEdit* edit = NewEditBox(parent);
      edit->setPlainText(text);
      widget = edit;
      break;
    }
  }
  widget->setObjectName(QString::fromUtf8(form.name));
  widget->setGeometry(form.place);
  return widget;
}

}  // namespace

void MainForm::CreateControls() {
  for (const ControlForm& form : kForm) {
    QWidget* widget = NewControl(form, this);
    controls_[static_cast<std::size_t>(form.control)] = widget;
    if (form.kind != Kind::Label) widget->installEventFilter(this);
  }

  const QFont small = SmallChineseFont();
  ControlWidget(Control::按钮2)->setFont(small);
  ControlWidget(Control::标签3)->setFont(small);
  SetTextColour(ControlWidget(Control::标签3), QColor(255, 0, 0));

  // 按钮1 is the default button: drawn as such; the Enter rule itself lives
  // in HandleFormKey, since a plain window has no default-button handling.
  static_cast<QPushButton*>(ControlWidget(Control::按钮1))->setDefault(true);

  // 编辑框1 wraps long lines at its right edge and scrolls vertically only;
  // 编辑框2 never wraps and has both scroll bars. Both bars always show, as
  // on a classic edit control with scroll bars.
  auto* domains = static_cast<QPlainTextEdit*>(ControlWidget(Control::编辑框1));
  domains->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  domains->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  domains->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  domains->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* keywords = static_cast<QPlainTextEdit*>(ControlWidget(Control::编辑框2));
  keywords->setLineWrapMode(QPlainTextEdit::NoWrap);
  keywords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  keywords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  for (std::size_t i = 0; i + 1 < std::size(kTabOrder); ++i) {
    setTabOrder(ControlWidget(kTabOrder[i]), ControlWidget(kTabOrder[i + 1]));
  }
  ControlWidget(kTabOrder[0])->setFocus();
}

// The main window's behaviour: constructing and showing it, its outer size
// and centring, the Esc and Enter keys, and the events raised to handlers.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "app/host/main_form.h"

namespace {

// The form's outer size, title bar and frame included.
constexpr QSize kOuterSize(528, 540);
const char kCaption[] = "Ruziduz网站关键词提取工具";

MainForm* gMainForm = nullptr;

}  // namespace

MainForm* LoadedMainForm() { return gMainForm; }

MainForm* CreateMainForm(std::span<const EventBinding> bindings) {
  // Never deleted: the process ends through ExitProgram while it is open.
  gMainForm = new MainForm(bindings);
  return gMainForm;
}

MainForm::MainForm(std::span<const EventBinding> bindings)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      bindings_(bindings.begin(), bindings.end()) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QString::fromUtf8(kCaption));
  CreateControls();
  BindClicks();
}

QWidget* MainForm::ControlWidget(Control control) const {
  if (control == Control::MainWindow) return const_cast<MainForm*>(this);
  return controls_[static_cast<std::size_t>(control)];
}

void MainForm::Raise(Control source, HostEvent event) const {
  for (const EventBinding& binding : bindings_) {
    if (binding.source == source && binding.event == event && binding.handler) binding.handler();
  }
}

void MainForm::BindClicks() {
  for (const EventBinding& binding : bindings_) {
    auto* button = qobject_cast<QPushButton*>(ControlWidget(binding.source));
    if (binding.event != HostEvent::Clicked || !button || !binding.handler) continue;
    connect(button, &QPushButton::clicked, this, [handler = binding.handler] { handler(); });
  }
}

void MainForm::ShowCentred() {
  // The frame margins are known once the platform window exists; a window
  // manager may still change them after showing (see moveEvent).
  create();
  FitOuterSize(true);
  show();
  FitOuterSize(true);
  activateWindow();
}

// The form gives the outer size; the client size is what the frame leaves.
// Fixed minimum and maximum sizes keep the user from resizing.
void MainForm::FitOuterSize(bool centre) {
  const QMargins margins = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  setFixedSize(kOuterSize.width() - margins.left() - margins.right(),
               kOuterSize.height() - margins.top() - margins.bottom());
  fittedMargins_ = margins;
  if (centre && screen()) {
    QRect outer(QPoint(0, 0), kOuterSize);
    outer.moveCenter(screen()->availableGeometry().center());
    move(outer.topLeft());  // a window's position is that of its frame
  }
}

void MainForm::moveEvent(QMoveEvent* event) {
  // A window manager reports its frame only after it has framed the window;
  // keep the outer size exact, and the window where the user put it.
  if (windowHandle() && windowHandle()->frameMargins() != fittedMargins_) FitOuterSize(false);
  QWidget::moveEvent(event);
}

// Esc closes the window whatever has the focus. Enter outside the edit boxes
// clicks 按钮1, also when another button has the focus, and does nothing while
// 按钮1 is disabled (a disabled button ignores click()); in an edit box Enter
// is left to the box, which inserts a line break.
bool MainForm::HandleFormKey(const QKeyEvent& key, bool inEditBox) {
  switch (key.key()) {
    case Qt::Key_Escape:
      close();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (inEditBox) return false;
      static_cast<QPushButton*>(ControlWidget(Control::按钮1))->click();
      return true;
    default:
      return false;
  }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      HandleFormKey(*static_cast<QKeyEvent*>(event),
                    qobject_cast<QPlainTextEdit*>(watched) != nullptr)) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainForm::keyPressEvent(QKeyEvent* event) {
  if (!HandleFormKey(*event, false)) QWidget::keyPressEvent(event);
}

// Closing in any way (close box, system menu, Alt+F4, Esc) comes here; the
// about-to-be-destroyed handler normally ends the process before returning.
void MainForm::closeEvent(QCloseEvent* event) {
  Raise(Control::MainWindow, HostEvent::Destroying);
  event->accept();
}

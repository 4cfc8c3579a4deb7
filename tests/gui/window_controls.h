// The main window and its controls as the GUI tests and the exit probe reach
// them: the top-level widget "MainWindow" and its children by the form's
// names.
#ifndef RUZIDUZ_TESTS_GUI_WINDOW_CONTROLS_H_
#define RUZIDUZ_TESTS_GUI_WINDOW_CONTROLS_H_

#include <QApplication>
#include <QWidget>

// The loaded main window, or null.
inline QWidget* MainWindowWidget() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String("MainWindow")) return window;
  }
  return nullptr;
}

// The control named `name` (UTF-8) as a T, or null.
template <class T = QWidget>
T* WindowControl(const char* name) {
  QWidget* window = MainWindowWidget();
  return window ? window->findChild<T*>(QString::fromUtf8(name)) : nullptr;
}

#endif  // RUZIDUZ_TESTS_GUI_WINDOW_CONTROLS_H_

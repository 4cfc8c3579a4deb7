// The offscreen GUI test program runs every test class of tests/gui/ in one
// QApplication against one main window, loaded once with the program's own
// event table. Each *_test.cpp registers its class with REGISTER_GUI_TEST.
#ifndef RUZIDUZ_TESTS_GUI_GUI_TEST_H_
#define RUZIDUZ_TESTS_GUI_GUI_TEST_H_

#include <QObject>

using GuiTestFactory = QObject* (*)();

// Adds a test class to the program's list; returns a dummy for static use.
int RegisterGuiTest(GuiTestFactory factory);

#define REGISTER_GUI_TEST(Class) \
  static const int Class##Registered = RegisterGuiTest([]() -> QObject* { return new Class; })

#endif  // RUZIDUZ_TESTS_GUI_GUI_TEST_H_

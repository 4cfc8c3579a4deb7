// The host operations that are not about one control: pausing with events,
// message boxes, the save dialog, writing a file, opening an address.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "app/host/host.h"
#include "app/host/text_conversion.h"
#include "tests/gui/gui_test.h"
#include "tests/gui/modal_script.h"
#include "tests/gui/test_files.h"

namespace {

struct MessageRow {
  const char* name;
  int flags;
  QMessageBox::Icon icon;
};

const MessageRow kMessageRows[] = {
    {"OK alone", kMessageOk, QMessageBox::NoIcon},
    {"information", kMessageInformation, QMessageBox::Information},
    {"error", kMessageError, QMessageBox::Critical},
};

// A file in a fresh folder: what is there before, what is written, and what
// the folder holds afterwards.
struct WriteRow {
  const char* name;
  const char* target;  // relative to the folder; "" for the empty path
  const char* before;  // earlier content of target, or nullptr for none
  QByteArray bytes;
  bool written;
  QByteArray after;  // content of target afterwards
};

const WriteRow kWriteRows[] = {
    {"new file with zero bytes inside", "out.txt", nullptr, QByteArray("a\0b\r\n", 5), true,
     QByteArray("a\0b\r\n", 5)},
    {"longer file replaced", "out.txt", "an earlier, longer list\r\n", "kw\r\n", true, "kw\r\n"},
    {"nothing to write", "out.txt", "earlier", "", true, ""},
    {"Chinese file name", "关键词.txt", nullptr, "kw", true, "kw"},
    {"empty path", "", nullptr, "kw", false, ""},
    {"folder missing", "missing/out.txt", nullptr, "kw", false, ""},
};

struct AddressRow {
  const char* name;
  const char* address;  // GBK
  const char* opened;   // as the desktop receives it; "" for nothing
};

const AddressRow kAddressRows[] = {
    {"bare host name", "www.example.org", "http://www.example.org"},
    {"chat address as written", "tencent://message/?uin=10000", "tencent://message/?uin=10000"},
    {"web address as written", "http://bbs.example.org/a?b=1", "http://bbs.example.org/a?b=1"},
    {"nothing", "", ""},
};

// Types name into the save dialog's file-name field and presses Save.
ModalScript::Step Choose(const QString& name) {
  return [name](QWidget* modal) { ChooseFile(modal, name); };
}

// Notes a message box's text, then answers it with button.
ModalScript::Step Answer(QString* text, QMessageBox::StandardButton button) {
  return [text, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box);
    *text = box->text();
    box->button(button)->click();
  };
}

}  // namespace

class HostOperationsTest : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE void Opened(const QUrl& url) { opened_ << url.toString(QUrl::FullyEncoded); }

 private slots:
  void initTestCase() {
    for (const char* scheme : {"http", "https", "tencent"}) {
      QDesktopServices::setUrlHandler(scheme, this, "Opened");
    }
  }

  void cleanupTestCase() {
    for (const char* scheme : {"http", "https", "tencent"}) {
      QDesktopServices::unsetUrlHandler(scheme);
    }
  }

  // The events are timers of this function's own, so none of them can fire
  // after it has returned.
  void delayLastsLongerThanAskedAndHandlesEvents() {
    bool handled = false;
    QTimer pending;
    pending.setSingleShot(true);
    connect(&pending, &QTimer::timeout, [&handled] { handled = true; });
    pending.start(0);
    QElapsedTimer elapsed;
    elapsed.start();
    DelayWithEvents(100);
    QVERIFY2(elapsed.nsecsElapsed() > 100'000'000, "returned before 100 ms had passed");
    QVERIFY(handled);
  }

  void delayOfNothingReturnsAtOnce() {
    for (int milliseconds : {0, -5}) {
      bool handled = false;
      QTimer pending;
      pending.setSingleShot(true);
      connect(&pending, &QTimer::timeout, [&handled] { handled = true; });
      pending.start(0);
      DelayWithEvents(milliseconds);
      QVERIFY2(!handled, "handled events instead of returning at once");
      ProcessEvents();
      QVERIFY(handled);
    }
  }

  void messageBox_data() { AddTableRows(kMessageRows); }

  void messageBox() {
    const MessageRow& row = FetchTableRow(kMessageRows);
    QString title, text;
    int buttons = 0;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* owner = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    ModalScript script({[&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->buttons().size();
      owner = box->parentWidget();
      modality = box->windowModality();
      PressOk(box);
    }});
    ShowMessage("\xB3\xC9\xB9\xA6\xB5\xBC\xB3\xF6\xA3\xA1", row.flags, "\xCC\xE1\xCA\xBE\xA3\xBA");
    QCOMPARE(script.problems, QStringList());
    QCOMPARE(title, QString::fromUtf8("提示："));
    QCOMPARE(text, QString::fromUtf8("成功导出！"));
    QCOMPARE(icon, row.icon);
    QCOMPARE(buttons, 1);
    QCOMPARE(owner, nullptr);
    QCOMPARE(modality, Qt::ApplicationModal);
  }

  void saveDialogHasTheFormsSettings() {
    QTemporaryDir folder;
    QFileDialog::AcceptMode mode{};
    QFileDialog::FileMode fileMode{};
    bool confirms = false, hidesDetails = false, ownDialog = false;
    QString suffix = "?", shownDirectory, selectedFilter;
    QStringList filters, applied;
    ModalScript script({[&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog);
      mode = dialog->acceptMode();
      fileMode = dialog->fileMode();
      confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      hidesDetails = dialog->testOption(QFileDialog::HideNameFilterDetails);
      ownDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
      suffix = dialog->defaultSuffix();
      filters = dialog->nameFilters();
      selectedFilter = dialog->selectedNameFilter();
      applied = dialog->findChild<QFileSystemModel*>()->nameFilters();
      shownDirectory = dialog->directory().absolutePath();
      dialog->reject();
    }});
    Text chosen = "untouched";
    QVERIFY(!ShowFileDialog(Control::通用对话框1,
                            "\xCE\xC4\xB1\xBE\xCE\xC4\xBC\xFE(*.txt)|*.txt|All|*.log;*.csv",
                            FromQString(folder.path()), chosen));
    QCOMPARE(script.problems, QStringList());
    QCOMPARE(chosen, Text("untouched"));
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QCOMPARE(fileMode, QFileDialog::AnyFile);
    QVERIFY(confirms && hidesDetails && ownDialog);
    QCOMPARE(suffix, QString());
    // Each description shows alone; the pattern after it is what filters.
    QCOMPARE(filters, (QStringList{QString::fromUtf8("文本文件(*.txt) (*.txt)"),
                                   QStringLiteral("All (*.log *.csv)")}));
    // The first filter is selected; the list shows its description alone and
    // applies its pattern.
    QCOMPARE(selectedFilter, QString::fromUtf8("文本文件(*.txt)"));
    QCOMPARE(applied, QStringList{"*.txt"});
    QCOMPARE(shownDirectory, QDir(folder.path()).absolutePath());
  }

  // The chosen path comes back as typed, without an extension added, and the
  // next showing offers it again, even with another initial directory.
  void saveDialogRemembersTheConfirmedPath() {
    QTemporaryDir folder, elsewhere;
    QString offered;
    ModalScript script({Choose("keywords"), [&](QWidget* modal) {
                          auto* dialog = qobject_cast<QFileDialog*>(modal);
                          offered = dialog->selectedFiles().value(0);
                          dialog->reject();
                        }});
    Text chosen;
    QVERIFY(ShowFileDialog(Control::通用对话框1, "t|*.txt", FromQString(folder.path()), chosen));
    QCOMPARE(ToQString(chosen), folder.filePath("keywords"));
    QVERIFY(
        !ShowFileDialog(Control::通用对话框1, "t|*.txt", FromQString(elsewhere.path()), chosen));
    QCOMPARE(ToQString(chosen), folder.filePath("keywords"));
    QCOMPARE(offered, folder.filePath("keywords"));
    QCOMPARE(script.problems, QStringList());
  }

  void saveDialogAsksBeforeReplacing() {
    QTemporaryDir folder;
    QVERIFY(WriteTestFile(folder.filePath("old.txt"), "earlier"));
    QString question;
    ModalScript script({Choose("old.txt"), Answer(&question, QMessageBox::No), RejectDialog});
    Text chosen;
    QVERIFY(!ShowFileDialog(Control::通用对话框1, "t|*.txt", FromQString(folder.path()), chosen));
    QVERIFY2(question.contains("already exists"), qPrintable(question));
    QCOMPARE(script.taken(), 3);
    QCOMPARE(script.problems, QStringList());
  }

  void saveDialogRefusesAMissingFolder() {
    QTemporaryDir folder;
    QString warning;
    ModalScript script(
        {Choose("missing/keywords.txt"), Answer(&warning, QMessageBox::Ok), RejectDialog});
    Text chosen;
    QVERIFY(!ShowFileDialog(Control::通用对话框1, "t|*.txt", FromQString(folder.path()), chosen));
    QVERIFY2(warning.contains("not found"), qPrintable(warning));
    QCOMPARE(script.taken(), 3);
    QCOMPARE(script.problems, QStringList());
  }

  void writeBytesToFile_data() { AddTableRows(kWriteRows); }

  void writeBytesToFile() {
    const WriteRow& row = FetchTableRow(kWriteRows);
    QTemporaryDir folder;
    const QString target = QString::fromUtf8(row.target);
    if (row.before) QVERIFY(WriteTestFile(folder.filePath(target), row.before));
    const Text path = target.isEmpty() ? Text() : FromQString(folder.filePath(target));

    const ByteSet bytes(row.bytes.begin(), row.bytes.end());
    QCOMPARE(WriteBytesToFile(path, bytes), row.written);

    const bool exists = row.written || row.before;
    if (exists) QCOMPARE(ReadTestFile(folder.filePath(target)), row.after);
    // No temporary file is left beside it.
    QCOMPARE(FolderEntries(folder.path()), exists ? QStringList{target} : QStringList());
  }

  void writeBytesToAFolderFails() {
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("out.txt"));
    QVERIFY(WriteTestFile(folder.filePath("out.txt/inside"), "kept"));
    QVERIFY(!WriteBytesToFile(FromQString(folder.filePath("out.txt")), ByteSet{'k', 'w'}));
    QCOMPARE(ReadTestFile(folder.filePath("out.txt/inside")), QByteArray("kept"));
    QCOMPARE(FolderEntries(folder.path()), QStringList{"out.txt"});
  }

  void openAddress_data() { AddTableRows(kAddressRows); }

  void openAddress() {
    const AddressRow& row = FetchTableRow(kAddressRows);
    opened_.clear();
    OpenAddress(row.address);
    const QStringList expected =
        *row.opened ? QStringList{QString::fromUtf8(row.opened)} : QStringList();
    QCOMPARE(opened_, expected);
  }

  void runDirectoryIsTheProgramsFolder() {
    const QString folder = ToQString(RunDirectory());
    QCOMPARE(folder, QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
    QVERIFY(!folder.endsWith('/'));
  }

 private:
  QStringList opened_;
};

REGISTER_GUI_TEST(HostOperationsTest);

#include "host_operations_test.moc"

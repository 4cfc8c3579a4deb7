// The save dialog 通用对话框1.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/host/host.h"
#include "app/host/main_form.h"
#include "app/host/text_conversion.h"

namespace {

// The last path the user confirmed, offered again at the next showing.
QString gLastConfirmedPath;

// A save dialog that refuses a file in a folder that does not exist (Qt's own
// dialog would return such a path and leave the failure to the writer).
class SaveDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

 protected:
  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
      const QFileInfo chosen(files.first());
      if (!chosen.isDir() && !chosen.dir().exists()) {
        // Qt's own wording, so that Qt's translations apply to it.
        QMessageBox::warning(this, windowTitle(),
                             QFileDialog::tr("%1\nDirectory not found.\nPlease verify the "
                                             "correct directory name was given.")
                                 .arg(chosen.absolutePath()));
        return;
      }
    }
    QFileDialog::accept();
  }
};

// The filter text is "description|pattern" pairs joined by "|", a pattern
// being one or more wildcards separated by ";":
//   文本文件(*.txt)|*.txt|所有文件|*.*;*
// Qt takes a filter as "description (wildcards separated by blanks)". Its
// details are hidden when shown, so the user sees the description alone, which
// may well already name its patterns. A description without a pattern is
// dropped; an empty description shows the pattern.
QStringList NameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QStringList wildcards = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QString patterns = wildcards.join(QLatin1Char(' ')).simplified();
    if (patterns.isEmpty()) continue;
    const QString description = parts[i].isEmpty() ? patterns : parts[i];
    filters << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  return filters;
}

// The folder to open in: the last confirmed path's folder while it exists
// (with the file name filled in), else the initial directory.
void PlaceDialog(QFileDialog& dialog, const QString& initialDirectory) {
  const QFileInfo last(gLastConfirmedPath);
  if (!gLastConfirmedPath.isEmpty() && last.dir().exists()) {
    dialog.selectFile(last.absoluteFilePath());
    return;
  }
  if (!initialDirectory.isEmpty()) dialog.setDirectory(initialDirectory);
  if (!gLastConfirmedPath.isEmpty()) dialog.selectFile(last.fileName());
}

}  // namespace

bool ShowFileDialog(Control dialog, const Text& filter, const Text& initialDirectory,
                    Text& chosenPath) {
  if (dialog != Control::通用对话框1) return false;
  MainForm* form = LoadedMainForm();
  // The form's settings: a save dialog with the toolkit's own title, asking
  // before an existing file is replaced, adding no extension, first filter
  // selected. Qt's own dialog, so it looks and behaves the same everywhere.
  SaveDialog box(form);
  box.setObjectName(QStringLiteral("通用对话框1"));
  box.setOption(QFileDialog::DontUseNativeDialog);
  box.setOption(QFileDialog::HideNameFilterDetails);
  box.setAcceptMode(QFileDialog::AcceptSave);
  box.setFileMode(QFileDialog::AnyFile);
  box.setDefaultSuffix(QString());
  const QStringList filters = NameFilters(ToQString(filter));
  if (!filters.isEmpty()) {
    box.setNameFilters(filters);
    box.selectNameFilter(filters.first());
  }
  PlaceDialog(box, ToQString(initialDirectory));
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  gLastConfirmedPath = box.selectedFiles().first();
  chosenPath = FromQString(QDir::toNativeSeparators(gLastConfirmedPath));
  return true;
}

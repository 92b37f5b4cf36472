// The Qt prompter and the switch a test uses to put its own in place.
#include "windows/controls/Prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "windows/controls/FunctionDialog.h"

namespace {

TPrompter* Installed = nullptr;

TFileDialogResult RunDialog(const TFileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), request.Title, request.Directory);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = QtNameFilters(request.Filter);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    }
    dialog.setDefaultSuffix(request.DefaultExt);
    if (request.SuffixFollowsFilter) {
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog, filters, request](const QString& chosen) {
                const QStringList parts = request.Filter.split('|');
                const qsizetype i = filters.indexOf(chosen);
                // The first pattern's extension: "*.v;*.sv" gives "v".
                if (i >= 0 && 2 * i + 1 < parts.size()) {
                    dialog.setDefaultSuffix(parts[2 * i + 1].section(';', 0, 0).section('.', 1));
                }
            });
    }
    if (!request.FileName.isEmpty()) {
        dialog.selectFile(request.FileName);
    }
    TFileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return result;
    }
    result.Accepted = true;
    result.FileName = dialog.selectedFiles().first();
    result.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return result;
}

}  // namespace

void TQtPrompter::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool TQtPrompter::inputQuery(const QString& caption, const QString& prompt, QString& value) {
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), caption, prompt,
                                                 QLineEdit::Normal, value, &ok);
    if (ok) {
        value = answer;
    }
    return ok;
}

TFileDialogResult TQtPrompter::openFile(const TFileDialogRequest& request) {
    return RunDialog(request, QFileDialog::AcceptOpen);
}

TFileDialogResult TQtPrompter::saveFile(const TFileDialogRequest& request) {
    return RunDialog(request, QFileDialog::AcceptSave);
}

bool TQtPrompter::functionQuery(TFunctionRequest& request) {
    return RunFunctionDialog(request);
}

TPrompter& Prompter() {
    static TQtPrompter qtPrompter;
    return Installed != nullptr ? *Installed : qtPrompter;
}

void SetPrompter(TPrompter* prompter) {
    Installed = prompter;
}

QStringList QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        filters << QString("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    }
    return filters;
}

void ShowMessage(const QString& text) {
    Prompter().showMessage(text);
}

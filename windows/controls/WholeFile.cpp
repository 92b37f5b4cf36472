// Whole-file writes through a temporary copy.
#include "windows/controls/WholeFile.h"

#include <QDir>
#include <QSaveFile>

#include "windows/controls/Prompter.h"

bool WriteWholeFile(const QString& fileName, const QByteArray& bytes, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    // The write only fills a buffer; a full disk shows on the flush, which commit() would
    // not report, renaming a cut copy over the old file.
    if (file.write(bytes) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool SaveWholeFile(const QString& fileName, const QByteArray& bytes) {
    QString error;
    if (!WriteWholeFile(fileName, bytes, error)) {
        ShowMessage("Cannot save " + QDir::toNativeSeparators(fileName) + ": " + error);
        return false;
    }
    return true;
}

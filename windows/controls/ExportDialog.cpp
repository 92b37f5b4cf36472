// "Export as…": the save dialog and the format its answer names.
#include "windows/controls/ExportDialog.h"

#include <algorithm>

#include "model/UnitNames.h"
#include "model/UnitWriters.h"
#include "windows/controls/Prompter.h"
#include "windows/controls/WholeFile.h"

bool AskExportFile(const TExportOffer& offer, int& filterIndex, QString& fileName,
                   TExportFormat& format) {
    const int count = static_cast<int>(offer.Formats.size());
    TFileDialogRequest request;
    request.Title = "Export as";
    request.Filter = offer.Filter;
    request.FilterIndex = std::clamp(filterIndex, 1, count);
    request.DefaultExt = offer.Extensions[static_cast<size_t>(request.FilterIndex - 1)];
    request.SuffixFollowsFilter = true;
    const TFileDialogResult chosen = Prompter().saveFile(request);
    if (!chosen.Accepted) {
        return false;
    }
    // A typed extension that names a format wins over the filter.
    auto at = static_cast<size_t>(std::clamp(chosen.FilterIndex, 1, count) - 1);
    TExportFormat typed = offer.Formats[at];
    if (ExportFormatOfFile(chosen.FileName.toStdString(), typed)) {
        const auto found = std::find(offer.Formats.begin(), offer.Formats.end(), typed);
        if (found != offer.Formats.end()) {
            at = static_cast<size_t>(found - offer.Formats.begin());
        }
    }
    format = offer.Formats[at];
    filterIndex = static_cast<int>(at) + 1;
    fileName = chosen.FileName;
    return true;
}

void ExportUnit(const QString& fileName, TExportFormat format, const TDesignUnit& unit,
                const QString& done) {
    ExportText(fileName, WriteUnit(format, unit), RenamedPortsText(format, unit), done);
}

void ExportText(const QString& fileName, const std::string& text, const std::string& renamed,
                const QString& done) {
    QString error;
    if (!WriteWholeFile(fileName, QByteArray::fromStdString(text), error)) {
        ShowMessage("Write error on " + fileName + ": " + error);
        return;
    }
    ShowMessage(renamed.empty()
                    ? done
                    : done + "\nRenamed in the export: " + QString::fromStdString(renamed));
}

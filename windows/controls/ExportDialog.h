// The save dialog of "Export as…": which file, and in which of the formats offered.
#pragma once

#include <QString>
#include <vector>

#include "model/DesignUnit.h"

// The formats a window offers, in the filter's order ("Name|*.ext|..."), each with the
// extension a file gets when none is typed.
struct TExportOffer {
    const char* Filter;
    std::vector<TExportFormat> Formats;
    std::vector<const char*> Extensions;
};

// Asks where to export. The format is the typed extension's when it names one the offer holds,
// else the chosen filter's; filterIndex (from 1) opens the dialog and keeps the format chosen.
// False when the dialog is cancelled.
bool AskExportFile(const TExportOffer& offer, int& filterIndex, QString& fileName,
                   TExportFormat& format);

// Writes the unit in the format to the file and says so: the done text, then the ports written
// under other names, as a harness written against the given names would not find them; or the
// write error.
void ExportUnit(const QString& fileName, TExportFormat format, const TDesignUnit& unit,
                const QString& done);

// The same for a text already written, with the ports it renamed ("" for none).
void ExportText(const QString& fileName, const std::string& text, const std::string& renamed,
                const QString& done);

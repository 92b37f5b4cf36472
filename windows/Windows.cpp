// Start-up order of the windows: each runs its creation before the next is made.
#include "windows/Windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "windows/FormBoolProjects.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Outputs.h"
#include "windows/TruthTable.h"
#include "windows/main.h"

void CreateApplicationWindows() {
    frmBooleanClac = new TfrmBooleanClac();
    frmKmap = new TfrmKmap();
    frmResult = new TfrmResult();
    frmBoolprojects = new TfrmBoolprojects();
    frmOutputs = new TfrmOutputs();
    frmTruthTable = new TfrmTruthTable();
}

TProgressSink* KmapGauge() {
    return frmKmap != nullptr ? frmKmap->progress() : nullptr;
}

int MapLetterWidth() {
    return frmKmap != nullptr ? frmKmap->letterWidth() : 8;
}

void CommandLoopEnded() {
    if (frmBooleanClac != nullptr) {
        frmBooleanClac->ApplyPendingVarCount();
    }
}

bool CommandLoopRunning() {
    return (frmKmap != nullptr && frmKmap->isBusy()) ||
           (frmBooleanClac != nullptr && frmBooleanClac->Busy()) ||
           (frmResult != nullptr && frmResult->coverRunning()) ||
           (frmOutputs != nullptr && frmOutputs->coverRunning());
}

QString InstalledReadme() {
    const QString beside = QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QUILLON_README_RELATIVE));
    return QFileInfo::exists(beside) ? beside : QString(QUILLON_README_INSTALLED);
}

// Keeps the window benches' dialogs off the screen: messages are kept, the open dialog answers
// with one file, every other dialog is cancelled.
#pragma once

#include <QStringList>

#include "windows/controls/Prompter.h"

class TBenchPrompter : public TPrompter {
  public:
    QString fileName;  // the open dialog's answer; cancelled while empty
    QStringList messages;
    void showMessage(const QString& text) override { messages << text; }
    bool inputQuery(const QString&, const QString&, QString&) override { return false; }
    TFileDialogResult openFile(const TFileDialogRequest&) override {
        return {!fileName.isEmpty(), fileName, 1};
    }
    TFileDialogResult saveFile(const TFileDialogRequest&) override { return {}; }
    bool functionQuery(TFunctionRequest&) override { return false; }
};

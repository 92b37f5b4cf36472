// Every message box, input box and file dialog goes through the one prompter.
#pragma once

#include <QString>

struct TFileDialogRequest {
    // Every member has an initializer, so a request may name only the ones it sets.
    QString Title{};
    QString Filter{};     // "Name|*.EXT|Other|*.*", as the windows write it
    int FilterIndex = 1;  // 1-based
    QString DefaultExt{};
    QString FileName{};
    QString Directory{};
    // The default extension follows the chosen filter ("*.vhd" gives "vhd").
    bool SuffixFollowsFilter = false;
};

struct TFileDialogResult {
    bool Accepted = false;
    QString FileName;
    int FilterIndex = 1;
};

class TPrompter {
  public:
    virtual ~TPrompter() = default;
    virtual void showMessage(const QString& text) = 0;
    // False when cancelled; value holds the default on entry and the answer on return.
    virtual bool inputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    virtual TFileDialogResult openFile(const TFileDialogRequest& request) = 0;
    virtual TFileDialogResult saveFile(const TFileDialogRequest& request) = 0;
};

// Modal Qt dialogs (non-native file dialogs).
class TQtPrompter : public TPrompter {
  public:
    void showMessage(const QString& text) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    TFileDialogResult openFile(const TFileDialogRequest& request) override;
    TFileDialogResult saveFile(const TFileDialogRequest& request) override;
};

TPrompter& Prompter();
// Installs another prompter (a test's); nullptr brings back the Qt one.
void SetPrompter(TPrompter* prompter);

// "Name|*.EXT|Other|*.*" as Qt name filters.
QStringList QtNameFilters(const QString& filter);

// Shows a message through the prompter; the short name the windows use.
void ShowMessage(const QString& text);

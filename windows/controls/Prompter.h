// Every message box, input box and file dialog goes through the one prompter.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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

// What the function dialog says of the text typed so far: what it read, or where it fails.
struct TFunctionPreview {
    QString Text;
    bool Acceptable = false;  // OK is offered only for a function read
};

struct TFunctionRequest {
    QString Title{};
    QString Text{};         // the default on entry, the answer on return
    QStringList Targets{};  // the inputs the function may fill, one to choose; none: no choice
    int Target = 0;         // the one chosen, on entry and on return
    std::function<TFunctionPreview(const QString&)> Preview{};
};

class TPrompter {
  public:
    virtual ~TPrompter() = default;
    virtual void showMessage(const QString& text) = 0;
    // False when cancelled; value holds the default on entry and the answer on return.
    virtual bool inputQuery(const QString& caption, const QString& prompt, QString& value) = 0;
    virtual TFileDialogResult openFile(const TFileDialogRequest& request) = 0;
    virtual TFileDialogResult saveFile(const TFileDialogRequest& request) = 0;
    // A function as a textbook writes it, previewed as it is typed; false when cancelled.
    virtual bool functionQuery(TFunctionRequest& request) = 0;
};

// Modal Qt dialogs (non-native file dialogs).
class TQtPrompter : public TPrompter {
  public:
    void showMessage(const QString& text) override;
    bool inputQuery(const QString& caption, const QString& prompt, QString& value) override;
    TFileDialogResult openFile(const TFileDialogRequest& request) override;
    TFileDialogResult saveFile(const TFileDialogRequest& request) override;
    bool functionQuery(TFunctionRequest& request) override;
};

TPrompter& Prompter();
// Installs another prompter (a test's); nullptr brings back the Qt one.
void SetPrompter(TPrompter* prompter);

// "Name|*.EXT|Other|*.*" as Qt name filters.
QStringList QtNameFilters(const QString& filter);

// Shows a message through the prompter; the short name the windows use.
void ShowMessage(const QString& text);

// Shared helpers of the window tests: a recording prompter and grid access by name.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <deque>

#include "windows/controls/Prompter.h"
#include "windows/controls/StringGrid.h"

// What the program showed before the first test ran; tests later move windows around.
struct TStartState {
    bool CalcVisible = false;
    bool KmapVisible = false;
    bool ResultsVisible = false;
    bool ProjectsVisible = false;
    int VarCount = 0;
};
extern TStartState StartState;

// Records every message and answers dialogs from queues; an empty queue means "cancel".
class TRecordingPrompter : public TPrompter {
  public:
    QStringList messages;
    std::deque<QString> inputAnswers;
    std::deque<TFileDialogResult> fileAnswers;
    std::vector<TFileDialogRequest> fileRequests;
    std::deque<std::pair<QString, int>> functionAnswers;  // the text typed, the input chosen
    QStringList previews;  // what the function dialog showed of each answer

    void showMessage(const QString& text) override { messages << text; }
    bool inputQuery(const QString&, const QString&, QString& value) override {
        if (inputAnswers.empty()) {
            return false;
        }
        value = inputAnswers.front();
        inputAnswers.pop_front();
        return true;
    }
    bool functionQuery(TFunctionRequest& request) override {
        if (functionAnswers.empty()) {
            return false;
        }
        std::tie(request.Text, request.Target) = functionAnswers.front();
        functionAnswers.pop_front();
        previews << request.Preview(request.Text).Text;
        return true;
    }
    TFileDialogResult openFile(const TFileDialogRequest& request) override { return Next(request); }
    TFileDialogResult saveFile(const TFileDialogRequest& request) override { return Next(request); }

  private:
    TFileDialogResult Next(const TFileDialogRequest& request) {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            return {};
        }
        auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

// Installs a fresh recording prompter for each test.
class WindowTest : public testing::Test {
  protected:
    void SetUp() override { SetPrompter(&prompter); }
    void TearDown() override { SetPrompter(nullptr); }
    TRecordingPrompter prompter;
};

// Finds a menu action of a window by its caption, searching every menu and sub-menu.
inline QAction* FindAction(QWidget* window, const QString& caption) {
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == caption) {
            return action;
        }
    }
    return nullptr;
}

// Triggers an action by caption after checking it exists and is enabled.
inline void Trigger(QWidget* window, const QString& caption) {
    QAction* action = FindAction(window, caption);
    ASSERT_NE(action, nullptr) << caption.toStdString();
    ASSERT_TRUE(action->isEnabled()) << caption.toStdString();
    action->trigger();
}

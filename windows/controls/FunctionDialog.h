// "Enter function…": the dialog that reads a function as a textbook writes it, and its preview.
#pragma once

#include <QString>
#include <QStringList>
#include <limits>
#include <string>
#include <vector>

#include "model/Textbook.h"
#include "windows/controls/Prompter.h"

// The Qt dialog behind TQtPrompter::functionQuery: the text, the input to fill when there is a
// choice, and the preview of what the text reads as, which OK waits for.
bool RunFunctionDialog(TFunctionRequest& request);

// What the text reads as: its terms in this program's notation, its don't cares and their counts;
// or the fault and its column. dontCaresLeftOut says the window applies no don't cares.
TFunctionPreview PreviewFunction(const QString& text, bool dontCaresLeftOut);

// Terms as one sum, "Aa" for none, as the calculator writes the constant LO; past atMost
// characters the rest is told as a count.
QString SumOfTerms(const std::vector<std::string>& terms,
                   qsizetype atMost = std::numeric_limits<qsizetype>::max());

// Asks for a function through the prompter; with targets, target is the one chosen (given on
// entry as the default). False when cancelled, and when the text cannot be read, which is told.
bool AskFunction(const QStringList& targets, int& target, bool dontCaresLeftOut,
                 TTextbookFunction& function);

// The function dialog: a text edit, the input it fills, and a preview that follows the typing.
#include "windows/controls/FunctionDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const char* const DialogTitle = "Enter function";
const char* const Prompt =
    "Type the function as a textbook writes it: A'B + C, F(A,B,C) = A ⊕ B, Σm(1,3,5) + d(7), "
    "ΠM(0,3), or a truth-table column such as 01101001.";

// A preview stays a few lines long, however many terms a function has.
constexpr qsizetype PreviewLength = 300;

bool Read(const QString& text, TTextbookFunction& function, QString& fault) {
    const QByteArray utf8 = text.toUtf8();
    TTextbookError error;
    if (ReadTextbook(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), function,
                     error)) {
        return true;
    }
    fault = QString::fromStdString(error.Message());
    fault[0] = fault[0].toUpper();
    return false;
}

}  // namespace

QString SumOfTerms(const std::vector<std::string>& terms, qsizetype atMost) {
    QString sum;
    for (size_t i = 0; i < terms.size(); ++i) {
        if (sum.size() > atMost) {
            return sum + QString("+… (%1 terms)").arg(terms.size());
        }
        sum += (i == 0 ? "" : "+") + QString::fromLatin1(terms[i]);
    }
    return sum.isEmpty() ? "Aa" : sum;
}

TFunctionPreview PreviewFunction(const QString& text, bool dontCaresLeftOut) {
    if (text.trimmed().isEmpty()) {
        return {};
    }
    TTextbookFunction function;
    QString fault;
    if (!Read(text, function, fault)) {
        return {fault, false};
    }
    const int n = function.VarCount;
    const size_t dontCares = BitCount(function.Dc);
    QString shown = "F = " + SumOfTerms(SetTerms(function.On, n), PreviewLength);
    if (dontCares > 0) {
        shown += "\nDon't cares: " + SumOfTerms(SetTerms(function.Dc, n), PreviewLength);
    }
    shown += QString("\n%1 variable%2: %3 ON and %4 don't-care minterms")
                 .arg(n)
                 .arg(n == 1 ? "" : "s")
                 .arg(BitCount(function.On))
                 .arg(dontCares);
    // The windows work over 3 variables at least; the ones added are the last and free.
    if (n < 3) {
        shown += "; read at 3 variables, the others free";
    }
    if (dontCaresLeftOut && dontCares > 0) {
        shown += "\nThe calculator holds no don't cares: they are left out.";
    }
    return {shown, true};
}

bool AskFunction(const QStringList& targets, int& target, bool dontCaresLeftOut,
                 TTextbookFunction& function) {
    static QString last;  // offered again, as a mistyped function is often retyped
    TFunctionRequest request{DialogTitle, last, targets, target, [=](const QString& text) {
                                 return PreviewFunction(text, dontCaresLeftOut);
                             }};
    if (!Prompter().functionQuery(request)) {
        return false;
    }
    QString fault;
    if (!Read(request.Text, function, fault)) {
        ShowMessage(fault);
        return false;
    }
    last = request.Text;
    target = request.Target;
    return true;
}

bool RunFunctionDialog(TFunctionRequest& request) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName("dlgEnterFunction");
    dialog.setWindowTitle(request.Title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* prompt = new QLabel(Prompt, &dialog);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);

    auto* edit = new QPlainTextEdit(request.Text, &dialog);
    edit->setObjectName("edtFunction");
    edit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 4 + 12);
    layout->addWidget(edit);

    QButtonGroup targets(&dialog);
    if (!request.Targets.isEmpty()) {
        auto* row = new QHBoxLayout();
        row->addWidget(new QLabel("Fill:", &dialog));
        for (int i = 0; i < request.Targets.size(); ++i) {
            auto* button = new QRadioButton(request.Targets[i], &dialog);
            button->setChecked(i == request.Target);
            targets.addButton(button, i);
            row->addWidget(button);
        }
        row->addStretch();
        layout->addLayout(row);
    }

    auto* preview = new QLabel(&dialog);
    preview->setObjectName("lblPreview");
    preview->setTextFormat(Qt::PlainText);
    preview->setWordWrap(true);
    preview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    preview->setMinimumHeight(preview->fontMetrics().lineSpacing() * 5);
    layout->addWidget(preview, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    const QPalette normal = preview->palette();
    const auto update = [&] {
        const TFunctionPreview shown = request.Preview(edit->toPlainText());
        preview->setText(shown.Text);
        QPalette palette = normal;
        if (!shown.Acceptable) {
            palette.setColor(QPalette::WindowText, Qt::darkRed);
        }
        preview->setPalette(palette);
        buttons->button(QDialogButtonBox::Ok)->setEnabled(shown.Acceptable);
    };
    // The terms of a large function take a moment: they are shown once the typing pauses, and
    // OK waits for them.
    QTimer pause;
    pause.setSingleShot(true);
    pause.setInterval(150);
    QObject::connect(&pause, &QTimer::timeout, &dialog, update);
    QObject::connect(edit, &QPlainTextEdit::textChanged, &dialog, [&] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
        pause.start();
    });
    update();
    dialog.resize(620, 270);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    request.Text = edit->toPlainText();
    request.Target = std::max(targets.checkedId(), 0);
    return true;
}

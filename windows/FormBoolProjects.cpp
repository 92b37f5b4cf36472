// The projects window: the adder, multiplier and N MOD 3 generators.
#include "windows/FormBoolProjects.h"

#include <QApplication>
#include <QClipboard>

#include "engine/OptimizeString.h"
#include "engine/SumOfProducts.h"
#include "model/FunctionSet.h"
#include "model/Minterms.h"
#include "model/Pla.h"
#include "model/State.h"
#include "windows/FormBooleanCalc.h"
#include "windows/KmapResult.h"
#include "windows/Outputs.h"
#include "windows/Windows.h"
#include "windows/controls/Placement.h"
#include "windows/main.h"

TfrmBoolprojects* frmBoolprojects = nullptr;

namespace {

int Bit(uint32_t m, int k) {
    return static_cast<int>((m >> k) & 1u);
}

// The adder's operands as its BIN command reads them from a minterm of 8 variables.
int AdderSum(uint32_t m) {
    const int a = 8 * Bit(m, 1) + 4 * Bit(m, 3) + 2 * Bit(m, 5) + Bit(m, 7);
    const int b = 8 * Bit(m, 0) + 4 * Bit(m, 2) + 2 * Bit(m, 4) + Bit(m, 6);
    return a + b;
}

// Every bit of value(m) over the 256 minterms as a PLA's truth table, the highest bit first,
// each output named prefix and its bit: P7 ... P0.
void SendToOutputs(int bits, char prefix, int (*value)(uint32_t)) {
    TPla pla;
    pla.Inputs = 8;
    pla.Outputs = bits;
    pla.Type = "f";
    for (int k = bits - 1; k >= 0; --k) {
        pla.OutputNames.push_back(prefix + std::to_string(k));
    }
    for (uint32_t m = 0; m <= 255; ++m) {
        pla.Rows.push_back({TCube{255, m}, m + 1});
        for (int k = bits - 1; k >= 0; --k) {
            pla.OutputPlane += ((value(m) >> k) & 1) != 0 ? '1' : '0';
        }
    }
    TFunctionSet set;
    TPlaError error;
    if (PlaFunctionSet(pla, {}, set, error)) {
        frmOutputs->ReceiveFunctionSet(std::move(pla), std::move(set));
    }
}

// Every generator works on 8 variables.
void UseEightVariables() {
    frmBooleanClac->SpinEdit->setValue(8);
}

}  // namespace

TfrmBoolprojects::TfrmBoolprojects(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmBoolprojects");
    setWindowTitle("QUILLON Special Boolean projects");
    SetOuterSize(this, QSize(785, 498));
    auto* client = new QWidget(this);
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    setCentralWidget(client);
    QFont font("MS Sans Serif");
    font.setPointSize(8);
    client->setFont(font);

    btn4bitadderstring =
        MakeButton(client, "btn4bitadderstring", "4 bit adder- string", QRect(11, 4, 109, 29));
    btn4bitadderBIN =
        MakeButton(client, "btn4bitadderBIN", "4bit adder BIN", QRect(12, 36, 107, 27));
    btnMOD = MakeButton(client, "btnMOD", "N MOD 3", QRect(128, 40, 66, 25));
    btn4bitmultiply =
        MakeButton(client, "btn4bitmultiply", "4 bit muliplier", QRect(12, 68, 101, 25));
    // Right of the others, so none of them moves.
    btnAdderOutputs =
        MakeButton(client, "btnAdderOutputs", "Adder to Outputs", QRect(210, 36, 130, 27));
    btnMultiplierOutputs = MakeButton(client, "btnMultiplierOutputs", "Multiplier to Outputs",
                                      QRect(210, 68, 130, 25));

    Memo1 = new QPlainTextEdit(client);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(54, 104, 719, 362);
    QFont courier("Courier");
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(10);
    Memo1->setFont(courier);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Label1 = new QLabel("Bits", client);
    Label1->setObjectName("Label1");
    QFont labelFont = font;
    labelFont.setPointSize(10);
    Label1->setFont(labelFont);
    Label1->move(12, 264);

    rgbits = new TRadioGroup("", {"0", "1", "2", "3", "4", "5", "6", "7"}, client);
    rgbits->setObjectName("rgbits");
    rgbits->setGeometry(6, 284, 45, 153);
    rgbits->setItemIndex(0);

    connect(btn4bitadderstring, &QPushButton::clicked, this,
            &TfrmBoolprojects::btn4bitadderstringClick);
    connect(btn4bitadderBIN, &QPushButton::clicked, this, &TfrmBoolprojects::btn4bitadderBINClick);
    connect(btnMOD, &QPushButton::clicked, this, &TfrmBoolprojects::btnMODClick);
    connect(btn4bitmultiply, &QPushButton::clicked, this, &TfrmBoolprojects::btn4bitmultiplyClick);
    connect(btnAdderOutputs, &QPushButton::clicked, this, &TfrmBoolprojects::btnAdderOutputsClick);
    connect(btnMultiplierOutputs, &QPushButton::clicked, this,
            &TfrmBoolprojects::btnMultiplierOutputsClick);
}

void TfrmBoolprojects::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Opens at the screen centre the first time; later showings keep where the user put it.
    if (!testAttribute(Qt::WA_Moved)) {
        CenterOnScreen(this);
    }
    FormShow();
}

void TfrmBoolprojects::FormShow() {
    frmKmap->show();
}

// A text that ends in a line break adds an empty line after it, as the memo's lines do.
void TfrmBoolprojects::AddMemoLine(const QString& line) {
    QString text = line;
    text.replace("\r\n", "\n");
    if (text.endsWith('\n')) {
        text.chop(1);
        Memo1->appendPlainText(text);
        Memo1->appendPlainText(QString());
        return;
    }
    Memo1->appendPlainText(text);
}

void TfrmBoolprojects::SimplifyTruthTable() {
    frmKmap->TableToEditor();
    frmKmap->ShowdatainKMAPGrid1Click();
    frmKmap->mnuNewSimplifyClick();
}

// The optimized form of a sum; the calculator's panel 1 reports what was removed.
QString TfrmBoolprojects::Optimized(const std::string& text) {
    std::string result = text;
    if (const auto removed = OptimizeString(text, result, ProgramState.VarCount, KmapGauge())) {
        frmBooleanClac->StatusBar->setPanelText(1, QString::fromStdString(*removed));
    }
    return QString::fromStdString(result);
}

void TfrmBoolprojects::btn4bitadderstringClick() {
    if (CommandLoopRunning()) {
        return;
    }
    UseEightVariables();
    std::string sum[4];
    std::string carry[4];
    sum[0] = "Ab+aB";
    carry[0] = "AB";
    TCalcFeedback feedback;
    feedback.AbsorptionGauge = KmapGauge();
    for (int k = 1; k <= 3; ++k) {
        const std::string l0(1, static_cast<char>(65 + 2 * k));
        const std::string l1(1, static_cast<char>(66 + 2 * k));
        const std::string x = StringXor(l0, l1, ProgramState.VarCount, feedback);
        sum[k] = StringXor(carry[k - 1], x, ProgramState.VarCount, feedback);
        const std::string t = StringProduct(carry[k - 1], x, ProgramState.VarCount, feedback);
        carry[k] = l0 + l1 + "+" + t;
    }
    Memo1->clear();
    AddMemoLine("4 bit adder outputs(8) equations \r\n");
    for (int k = 0; k <= 3; ++k) {
        AddMemoLine(Optimized(sum[k]));
        AddMemoLine(Optimized(carry[k]));
        AddMemoLine("----------------------");
    }
}

void TfrmBoolprojects::btn4bitadderBINClick() {
    if (CommandLoopRunning()) {
        return;
    }
    UseEightVariables();
    ClearTruthTable();
    const int r = rgbits->itemIndex();
    const int mask = 1 << r;
    bool anyMinterm = false;
    for (uint32_t m = 0; m <= 255; ++m) {
        if ((AdderSum(m) & mask) == mask) {
            ProgramState.TruthTable[m] = 1;
            anyMinterm = true;
        }
    }
    BringToFront(frmKmap);
    frmKmap->ClearALLKMAP1Click();
    SimplifyTruthTable();
    frmResult->mnuSavelongLineClick();
    // A sum bit that is never set is the constant LO; the results window still holds the
    // previous bit's terms, which must not be reported as this bit's.
    AddMemoLine(anyMinterm ? QApplication::clipboard()->text() : QString("Aa"));
}

void TfrmBoolprojects::btnMODClick() {
    if (CommandLoopRunning()) {
        return;
    }
    UseEightVariables();
    ClearTruthTable();
    frmKmap->ClearALLKMAP1Click();
    for (uint32_t n = 0; n <= 255; ++n) {
        if (n % 3 == 0) {
            ProgramState.TruthTable[n] = 1;
        }
    }
    SimplifyTruthTable();
    BringToFront(frmKmap);
}

void TfrmBoolprojects::btnAdderOutputsClick() {
    if (CommandLoopRunning()) {
        return;
    }
    SendToOutputs(5, 'S', &AdderSum);
}

void TfrmBoolprojects::btnMultiplierOutputsClick() {
    if (CommandLoopRunning()) {
        return;
    }
    // The high nibble times the low one, as the multiplier's BIN command reads them.
    SendToOutputs(8, 'P', [](uint32_t m) { return static_cast<int>((m >> 4) * (m & 15u)); });
}

void TfrmBoolprojects::btn4bitmultiplyClick() {
    if (CommandLoopRunning()) {
        return;
    }
    UseEightVariables();
    ClearTruthTable();
    const int r = rgbits->itemIndex();
    for (int i = 0; i <= 15; ++i) {
        for (int j = 0; j <= 15; ++j) {
            if (((i * j) >> r) & 1) {
                ProgramState.TruthTable[static_cast<size_t>(i * 16 + j)] = 1;
            }
        }
    }
    frmKmap->ClearALLKMAP1Click();
    SimplifyTruthTable();
    frmResult->mnuSavelongLineClick();
}

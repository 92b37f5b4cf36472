// The calculator's operations through the window: results, panel texts, gauge and busy guard.
#include <QTest>
#include <QTimer>

#include "CalculatorSupport.h"

namespace {

enum class Command { Or, And, Xor, Not, InvertX };

struct OperationRow {
    const char* name;
    Command command;
    QString x;
    QString y;
    QString z;
    QString expectedZ;
    QString countPanel;    // empty: not checked
    QString messagePanel;  // empty: must be empty
};

void PrintTo(const OperationRow& row, std::ostream* out) {
    *out << row.name;
}

void RunCommand(TfrmBooleanClac* calc, Command command) {
    switch (command) {
        case Command::Or:
            QTest::mouseClick(calc->lblboolOr, Qt::LeftButton);
            break;
        case Command::And:
            QTest::mouseClick(calc->lblBooAnd, Qt::LeftButton);
            break;
        case Command::Xor:
            QTest::mouseClick(calc->Image5, Qt::LeftButton);
            break;
        case Command::Not:
            QTest::mouseClick(calc->lblNot, Qt::LeftButton);
            break;
        case Command::InvertX:
            Trigger(calc, "Invert X");
            break;
    }
}

}  // namespace

class CalculatorOperations : public CalculatorTest,
                             public testing::WithParamInterface<OperationRow> {};

TEST_P(CalculatorOperations, SixVariables) {
    const OperationRow& row = GetParam();
    Calc->edtXinput->setText(row.x);
    Calc->edtYinput->setText(row.y);
    Calc->edtZinput->setText(row.z);
    RunCommand(Calc, row.command);
    const QLineEdit* target = row.command == Command::InvertX ? Calc->edtXinput : Calc->edtZinput;
    EXPECT_EQ(target->text(), row.expectedZ);
    if (!row.countPanel.isEmpty()) {
        EXPECT_EQ(Panel(1), row.countPanel);
    }
    EXPECT_EQ(Panel(2), row.messagePanel);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CalculatorOperations,
    testing::Values(
        OperationRow{"OrAbsorbsOppositeLetter", Command::Or, "A", "aB", "", "A+B", "1 terms", ""},
        OperationRow{"OrTautology", Command::Or, "A", "a", "", "A+a", "", "HI"},
        OperationRow{"OrEmptyXCopiesY", Command::Or, "", "AB+", "", "AB+", "", ""},
        OperationRow{"OrCountIsY", Command::Or, "AB+D", "A", "", "A+D", "1 terms", ""},
        OperationRow{"OrNothingValidKeepsZ", Command::Or, "Aa", "Bb", "CD", "CD", "",
                     "Error in X input code=3"},
        OperationRow{"AndContradiction", Command::And, "A", "a", "", "Aa", "", "Always LO"},
        OperationRow{"AndDistributes", Command::And, "A+B", "a", "", "aB", "1 terms", ""},
        OperationRow{"AndErrorInY", Command::And, "A", "B+Cc", "", "AB", "",
                     "Error in Y input code=3"},
        OperationRow{"AndEmptyInputEmptiesZ", Command::And, "", "A", "CD", "", "", ""},
        OperationRow{"NotOfProduct", Command::Not, "", "", "AB", "a+b", "Terms= 2", ""},
        OperationRow{"NotMerges", Command::Not, "", "", "AB+aB", "b", "Terms= 1", ""},
        OperationRow{"NotOfTautology", Command::Not, "", "", "A+a", "Aa", "Always LO", ""},
        OperationRow{"NotOfNothing", Command::Not, "", "", "", "", "", "Missing text"},
        OperationRow{"XorEqual", Command::Xor, "AB+c", "AB+c", "", "Aa", "1 terms", "Aa"},
        OperationRow{"XorOfLetters", Command::Xor, "A", "B", "", "Ab+aB", "2 terms", ""},
        OperationRow{"XorOneSideEmpty", Command::Xor, "AB", "A", "", "Ab", "1 terms", ""},
        OperationRow{"InvertTautologyEmpties", Command::InvertX, "A+a", "", "", "", "Always LO",
                     ""},
        OperationRow{"InvertDropsTrailingPlus", Command::InvertX, "AB+", "", "", "a+b", "Terms= 2",
                     ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalculatorTest, RadioButtonsSelectAndRunOperations) {
    Calc->edtXinput->setText("A");
    Calc->edtYinput->setText("B");
    QTest::mouseClick(Calc->rbOR, Qt::LeftButton);
    EXPECT_EQ(Calc->edtZinput->text(), "A+B");
    QTest::mouseClick(Calc->rbNOT, Qt::LeftButton);
    EXPECT_EQ(Calc->edtZinput->text(), "ab");
    EXPECT_TRUE(Calc->rbNOT->isChecked());
    EXPECT_FALSE(Calc->edtXinput->isEnabled());
    EXPECT_EQ(Calc->edtXinput->palette().color(QPalette::Base), QColor(0x80, 0x80, 0x80));
    QTest::mouseClick(Calc->Image3, Qt::LeftButton);  // the AND gate picture
    EXPECT_TRUE(Calc->rbAND->isChecked());
    EXPECT_TRUE(Calc->edtXinput->isEnabled());
    EXPECT_EQ(Calc->edtXinput->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(Calc->edtZinput->text(), "AB");
    QTest::mouseClick(Calc->rbXOR, Qt::LeftButton);
    EXPECT_EQ(Calc->edtZinput->text(), "Ab+aB");
}

TEST_F(CalculatorTest, NotWithFocusInXEntersNoOtherEdit) {
    Calc->edtYinput->setText("AG");  // beyond six variables: reported whenever Y is entered
    ASSERT_EQ(prompter.messages.size(), 1);
    Calc->edtZinput->setText("AB");
    Calc->edtXinput->setFocus();
    QTest::mouseClick(Calc->lblNot, Qt::LeftButton);
    EXPECT_EQ(Calc->edtZinput->text(), "a+b");
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_NE(Calc->focusWidget(), Calc->edtYinput);
}

TEST_F(CalculatorTest, AutomaticOrLeavesTheRadioButtonsAlone) {
    Calc->edtYinput->setText("B");
    Calc->rbOR->setChecked(true);
    Trigger(Calc, "Calculation");
    Calc->edtXinput->setText("A");
    EXPECT_EQ(Calc->edtZinput->text(), "A+B");
    EXPECT_TRUE(Calc->rbOR->isChecked());
    Trigger(Calc, "Calculation");
}

TEST_F(CalculatorTest, InvertOnTheFocusedEditReportsEmptyText) {
    Calc->edtB2input->setText("+");
    Calc->edtB2input->setFocus();
    Trigger(Calc, "Invert");
    EXPECT_EQ(prompter.messages, QStringList({"Error no values"}));
    EXPECT_EQ(Calc->edtB2input->text(), "+");
    Calc->edtB2input->setText("aBc");
    Trigger(Calc, "Invert");
    EXPECT_EQ(Calc->edtB2input->text(), "A+b+C");
    EXPECT_EQ(Panel(1), "Terms= 3");
}

TEST_F(CalculatorTest, LongComplementMovesTheGaugeAndRefusesOtherOperations) {
    const std::string z = "ABc+aBd+Cef+abF+cDE";
    const std::string expected = *CalcNot(z, ProgramState.VarCount).Z;
    Calc->edtXinput->setText("AB");
    Calc->edtYinput->setText("C");
    Calc->edtZinput->setText(QString::fromStdString(z));
    std::vector<std::pair<int, int>> gauge;
    const auto watch = QObject::connect(Calc->Gauge, &QProgressBar::valueChanged, [&](int value) {
        gauge.emplace_back(value, Calc->Gauge->maximum());
    });
    bool seenBusy = false;
    QString zDuringRun;
    QString messageDuringRun;
    // Fires inside the complement's event processing, as a click arriving then would.
    QTimer::singleShot(0, Calc, [&] {
        seenBusy = Calc->Busy();
        Calc->lblboolOrClick();
        Calc->SpinEdit->setValue(8);
        zDuringRun = Calc->edtZinput->text();
        messageDuringRun = Panel(2);
    });
    Calc->lblNotClick();
    QObject::disconnect(watch);
    EXPECT_TRUE(seenBusy);
    EXPECT_EQ(zDuringRun, QString::fromStdString(z));  // the OR did not run
    EXPECT_EQ(messageDuringRun, "Busy: wait for the running operation");
    EXPECT_EQ(Calc->edtZinput->text(), QString::fromStdString(expected));
    // Terms 2, 3 and 4 of five were reached, then the gauge went back to 0.
    EXPECT_EQ(gauge, (std::vector<std::pair<int, int>>{{2, 5}, {3, 5}, {4, 5}, {0, 5}}));
    EXPECT_FALSE(Calc->Busy());
    // The count chosen during the run applies once it has ended.
    EXPECT_EQ(ProgramState.VarCount, 8);
}

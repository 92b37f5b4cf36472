// The projects window.
#include "windows/FormBoolProjects.h"

TfrmBoolprojects* frmBoolprojects = nullptr;

TfrmBoolprojects::TfrmBoolprojects(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmBoolprojects");
    setWindowTitle("QUILLON Special Boolean projects");
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    rgbits = new TRadioGroup("", {"0", "1", "2", "3", "4", "5", "6", "7"}, this);
    rgbits->setObjectName("rgbits");
    rgbits->setItemIndex(0);
}

void TfrmBoolprojects::btn4bitadderstringClick() {}
void TfrmBoolprojects::btn4bitadderBINClick() {}
void TfrmBoolprojects::btnMODClick() {}
void TfrmBoolprojects::btn4bitmultiplyClick() {}
void TfrmBoolprojects::FormShow() {}

// Radio group: buttons stacked in one column, ids equal to item indexes.
#include "windows/controls/RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), FButtons(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        FButtons->addButton(button, i);
        layout->addWidget(button);
    }
    connect(FButtons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked) {
            emit clicked();
        }
    });
}

void TRadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = FButtons->button(index)) {
        b->setChecked(true);
    }
}

// TRadioGroup: a titled group of radio buttons read and set by item index.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class TRadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int itemIndex() const { return FButtons->checkedId(); }
    // Selecting from code runs the click handling only when the selection changes.
    void setItemIndex(int index);
    int count() const { return static_cast<int>(FButtons->buttons().size()); }
    QAbstractButton* button(int index) const { return FButtons->button(index); }

  signals:
    void clicked();

  private:
    QButtonGroup* FButtons;
};

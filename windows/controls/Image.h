// TImage: a widget that shows a picture the window draws into, like a canvas on a form.
#pragma once

#include <QImage>
#include <QWidget>

class TImage : public QWidget {
    Q_OBJECT
  public:
    explicit TImage(QWidget* parent = nullptr);

    // The picture; its size follows the widget's size at the next clear.
    QImage& picture() { return FPicture; }
    const QImage& picture() const { return FPicture; }
    // Resizes the picture to the widget and fills it with one colour.
    void clear(const QColor& colour);
    // Replaces the picture and repaints.
    void setPicture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage FPicture;
};

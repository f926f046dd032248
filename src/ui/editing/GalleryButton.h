#pragma once

#include "imaging/Picture.h"

#include <QAbstractButton>
#include <QImage>

// One variant of a gallery page: a button that shows a small picture centred on a
// light grey face. It takes the focus from the keyboard and is pressed with Space,
// Enter or Return as well as with the mouse.
class GalleryButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit GalleryButton(QWidget* parent = nullptr);

    // Copies the picture and shows it at once; pixelRatio is the screen's, at which
    // the picture was made.
    void SetPicture(const Picture& picture, qreal pixelRatio);
    const Picture& GetPicture() const { return m_picture; }
    QSize sizeHint() const override { return {88, 88}; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    Picture m_picture;
    QImage m_image;
};

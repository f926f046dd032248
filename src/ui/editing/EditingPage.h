#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

#include <utility>

class Picture;
class PhotoEditingPropertySheet;
class QAbstractButton;
class QLabel;
class QPushButton;

// One page of the editing sheet. Its controls and previews are made the first time it
// is shown; after that the sheet tells it when it becomes active, when it is left
// (where it applies its change to the working picture), and about Reset and Cancel.
class EditingPage : public QWidget {
    Q_OBJECT
  public:
    // The page's client area, in logical pixels.
    static constexpr int kWidth = 680;
    static constexpr int kHeight = 355;

    EditingPage(PhotoEditingPropertySheet& sheet, QString caption);

    const QString& Caption() const { return m_caption; }
    bool IsCreated() const { return m_created; }

    // The page is shown: the first time its controls are made first.
    void Activate();
    // The page is left for another, or the sheet is closed with OK.
    virtual void OnKillActive() {}
    // The sheet restored the working picture: the page returns to how it was entered.
    virtual void OnReset() { OnCancel(); }
    // Nothing of the page's is to be kept.
    virtual void OnCancel();

  protected:
    virtual void OnInitialise() {}
    virtual void OnSetActive() {}

    PhotoEditingPropertySheet& Sheet() const { return m_sheet; }
    // Labels and buttons at their place in the page, in the sheet's font.
    QLabel* MakeLabel(const QString& text, const QRect& rect);
    QPushButton* MakeButton(const QString& text, const QRect& rect);
    // Pictures are made at the screen's pixel ratio, so a box of w x h logical pixels
    // holds w x h times the ratio of the picture's pixels and is drawn sharp.
    qreal PixelRatio() const;
    int Physical(int logical) const;
    // The picture for drawing, sized in logical pixels.
    QImage ScreenImage(const Picture& picture) const;

  private:
    PhotoEditingPropertySheet& m_sheet;
    QString m_caption;
    bool m_created = false;
};

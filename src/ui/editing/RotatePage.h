#pragma once

#include "imaging/Picture.h"
#include "ui/editing/EditingPage.h"
#include "ui/editing/PageRect.h"

#include <string_view>

class QLineEdit;
class QToolButton;

// Turns the picture by quarter turns, or by any whole number of degrees typed or
// stepped into the angle field. The preview shows the working picture turned; the
// working picture itself turns when the page is left.
class RotatePage : public EditingPage {
    Q_OBJECT
  public:
    static constexpr int kPreviewWidth = 350;
    static constexpr int kPreviewHeight = 250;
    static constexpr int kSpinMinimum = -360;
    static constexpr int kSpinMaximum = 360;

    explicit RotatePage(PhotoEditingPropertySheet& sheet);

    // The field read as C's atoi reads: blanks, one sign, the leading digits; 0 without.
    static int ParseAngle(std::string_view text);

    void OnKillActive() override;
    // Unlike the page's forebear, Reset also turns the angle, the field and the preview
    // back to 0, so a restored picture is not turned again when the page is left.
    void OnReset() override;

    void OnRotate();
    void OnRotateRight();
    void OnRotateLeft();
    void OnUndo();
    // One step of the spin arrows (+1 up, -1 down): only the field changes.
    void StepSpin(int step);

    int Angle() const { return m_angle; }
    int SpinPosition() const { return m_spinPosition; }
    QLineEdit& AngleField() const { return *m_angleField; }
    const Picture& Preview() const { return m_preview; }
    const PageRect& PreviewRect() const { return m_previewRect; }

  protected:
    void OnInitialise() override;
    void OnSetActive() override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SetSpinPosition(int position);
    // The preview: the working picture turned by `degrees` and fitted into the preview box.
    void MakePreview(int degrees);

    QLineEdit* m_angleField = nullptr;
    QToolButton* m_spinUp = nullptr;
    QToolButton* m_spinDown = nullptr;
    Picture m_preview;
    QImage m_previewImage;
    PageRect m_previewRect;
    int m_angle = 0;
    int m_spinPosition = 0;
};

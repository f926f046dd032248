#pragma once

#include "imaging/Picture.h"
#include "ui/editing/EditingPage.h"

#include <utility>

#include <array>

class GalleryButton;
class QPainter;

// A page that adjusts the picture by two quantities chosen from a 3 x 3 gallery of
// variants: the preview in the middle with the offsets chosen so far, each button
// one step up or down in each quantity (rows: the vertical quantity, up at the top;
// columns: the horizontal one, up on the right). A click adds its steps to the
// offsets; "Undo" sets them back to 0; leaving the page applies them to the working
// picture. The pages work on reduced copies only.
class GalleryPage : public EditingPage {
    Q_OBJECT
  public:
    static constexpr int kBaseWidth = 300;
    static constexpr int kBaseHeight = 250;
    static constexpr int kVariantSize = 84;
    static constexpr int kButtonCount = 9;
    static constexpr int kCentre = 4;

    void OnKillActive() override;
    void OnReset() override;

    void OnGalleryClicked(int button);
    void OnUndo();

    GalleryButton& Button(int index) const { return *m_buttons[static_cast<std::size_t>(index)]; }
    const Picture& Preview() const { return m_preview; }
    // The steps of a button: the vertical quantity's, then the horizontal one's.
    static int VerticalSteps(int button) { return 1 - button / 3; }
    static int HorizontalSteps(int button) { return button % 3 - 1; }

  protected:
    GalleryPage(PhotoEditingPropertySheet& sheet, QString caption, QRect undoRect);

    void OnInitialise() override;
    void OnSetActive() override;
    void paintEvent(QPaintEvent* event) override;

    virtual bool OffsetsAreZero() const = 0;
    virtual void ClearOffsets() = 0;
    // Adds the button's steps to the offsets.
    virtual void AddSteps(int button) = 0;
    virtual void ApplyOffsets(Picture& picture) const = 0;
    // Applies one button's steps to a variant.
    virtual void ApplySteps(Picture& picture, int button) const = 0;
    // What a screen reader says for a button.
    virtual QString VariantName(int button) const = 0;
    virtual void PaintAxes(QPainter& painter) const = 0;
    // Controls of the page's own, made once, after the gallery.
    virtual void MakeOwnControls() {}

    void Refresh();
    void NameButtons();
    static void DrawText(QPainter& painter, int x, int y, const QString& text);

  private:
    void LoadBase();

    QRect m_undoRect;
    Picture m_base;
    Picture m_preview;
    QImage m_previewImage;
    std::array<GalleryButton*, kButtonCount> m_buttons{};
};

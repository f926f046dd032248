#pragma once

#include "ui/editing/GalleryPage.h"

// The gallery of brightness (across) and sharpness (up and down).
class BrightnessPage : public GalleryPage {
    Q_OBJECT
  public:
    static constexpr int kBrightnessStep = 5;
    static constexpr int kSharpnessStep = 10;

    explicit BrightnessPage(PhotoEditingPropertySheet& sheet);

    // Brightness by its offset, then sharpened by a positive sharpness offset or
    // softened by the negation of any other (0 included).
    static void Apply(Picture& picture, int brightness, int sharpness);

    int BrightnessOffset() const { return m_brightness; }
    int SharpnessOffset() const { return m_sharpness; }

  protected:
    bool OffsetsAreZero() const override { return m_brightness == 0 && m_sharpness == 0; }
    void ClearOffsets() override { m_brightness = m_sharpness = 0; }
    void AddSteps(int button) override;
    void ApplyOffsets(Picture& picture) const override
    {
        Apply(picture, m_brightness, m_sharpness);
    }
    void ApplySteps(Picture& picture, int button) const override;
    QString VariantName(int button) const override;
    void PaintAxes(QPainter& painter) const override;

  private:
    int m_brightness = 0;
    int m_sharpness = 0;
};

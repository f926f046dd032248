#pragma once

#include "ui/editing/GalleryPage.h"

#include <array>

class QPushButton;

// The gallery of the colour balance, two channels at a time: the mode picks the
// channel up and down (red, green, blue) and the one across (the next after it).
// The offsets of all three channels are kept when the mode changes.
class ColorBalancePage : public GalleryPage {
    Q_OBJECT
  public:
    static constexpr int kStep = 4;

    explicit ColorBalancePage(PhotoEditingPropertySheet& sheet);

    // Red, then green, then blue, each by its offset (percent).
    static void Apply(Picture& picture, const std::array<int, 3>& offsets);

    void OnMode(int mode);
    int Mode() const { return m_mode; }
    int FirstChannel() const { return m_mode; }
    int SecondChannel() const { return (m_mode + 1) % 3; }
    const std::array<int, 3>& Offsets() const { return m_offsets; }
    QPushButton& ModeButton(int mode) const
    {
        return *m_modeButtons[static_cast<std::size_t>(mode)];
    }
    // The five-character axis labels of a mode: up and down, then across.
    static QString VerticalLabel(int mode);
    static QString HorizontalLabel(int mode);

  protected:
    bool OffsetsAreZero() const override { return m_offsets == std::array<int, 3>{}; }
    void ClearOffsets() override { m_offsets = {}; }
    void AddSteps(int button) override;
    void ApplyOffsets(Picture& picture) const override { Apply(picture, m_offsets); }
    void ApplySteps(Picture& picture, int button) const override;
    QString VariantName(int button) const override;
    void PaintAxes(QPainter& painter) const override;
    void MakeOwnControls() override;

  private:
    std::array<int, 3> m_offsets{};
    int m_mode = 0;
    std::array<QPushButton*, 3> m_modeButtons{};
};

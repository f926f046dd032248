#include "ui/editing/BrightnessPage.h"

#include "ui/editing/PageRect.h"

#include <QPainter>

BrightnessPage::BrightnessPage(PhotoEditingPropertySheet& sheet)
    : GalleryPage(sheet, QStringLiteral("Brightness/Sharpness") + QString(11, QLatin1Char(' ')),
                  Ltrb(30, 300, 110, 322))
{
}

void BrightnessPage::Apply(Picture& picture, int brightness, int sharpness)
{
    picture.AdjustBrightness(brightness);
    if (sharpness >= 1)
        picture.Sharpen(sharpness);
    else
        picture.Soften(-sharpness);
}

void BrightnessPage::AddSteps(int button)
{
    m_sharpness += VerticalSteps(button) * kSharpnessStep;
    m_brightness += HorizontalSteps(button) * kBrightnessStep;
}

void BrightnessPage::ApplySteps(Picture& picture, int button) const
{
    const int brightness = HorizontalSteps(button) * kBrightnessStep;
    const int sharpness = VerticalSteps(button) * kSharpnessStep;
    if (brightness != 0) picture.AdjustBrightness(brightness);
    if (sharpness >= 1)
        picture.Sharpen(sharpness);
    else if (sharpness < 0)
        picture.Soften(-sharpness);
}

QString BrightnessPage::VariantName(int button) const
{
    static const char* const kSharpness[] = {"sharper", "sharpness as now", "softer"};
    static const char* const kBrightness[] = {"darker", "brightness as now", "brighter"};
    if (button == kCentre) return QStringLiteral("As the preview");
    return QStringLiteral("%1, %2").arg(QLatin1String(kSharpness[button / 3]),
                                        QLatin1String(kBrightness[button % 3]));
}

void BrightnessPage::PaintAxes(QPainter& painter) const
{
    painter.drawLine(350, 310, 440, 310);
    DrawText(painter, 455, 300, QStringLiteral("Brightness"));
    painter.drawLine(530, 310, 610, 310);
    painter.drawLine(610, 310, 600, 305);
    painter.drawLine(610, 310, 600, 315);
    const QString word = QStringLiteral("Sharpness");
    for (int k = 0; k < word.size(); ++k)
        DrawText(painter, 330, 110 + 12 * k, word.mid(k, 1));
    painter.drawLine(335, 300, 335, 230);
    painter.drawLine(335, 100, 335, 40);
    painter.drawLine(335, 40, 330, 50);
    painter.drawLine(335, 40, 340, 50);
}

#include "ui/editing/ColorBalancePage.h"

#include "ui/editing/PageRect.h"

#include <QPainter>
#include <QPushButton>

namespace {

const char* const kChannelNames[] = {"red", "green", "blue"};

} // namespace

ColorBalancePage::ColorBalancePage(PhotoEditingPropertySheet& sheet)
    : GalleryPage(sheet, QStringLiteral("Color Balance") + QString(23, QLatin1Char(' ')),
                  Ltrb(18, 300, 88, 322))
{
}

void ColorBalancePage::Apply(Picture& picture, const std::array<int, 3>& offsets)
{
    picture.AdjustColor(offsets[0], Picture::kRed);
    picture.AdjustColor(offsets[1], Picture::kGreen);
    picture.AdjustColor(offsets[2], Picture::kBlue);
}

QString ColorBalancePage::VerticalLabel(int mode)
{
    static const char* const kLabels[] = {" Red ", "Green", " Blue"};
    return QLatin1String(kLabels[mode]);
}

QString ColorBalancePage::HorizontalLabel(int mode)
{
    static const char* const kLabels[] = {"Green", " Blue", " Red "};
    return QLatin1String(kLabels[mode]);
}

void ColorBalancePage::MakeOwnControls()
{
    // Ordered by mode; the buttons stand Red/Green, Green/Blue, Red/Blue on the page.
    const QString texts[] = {QStringLiteral("Red/Green"), QStringLiteral("Green/Blue"),
                             QStringLiteral("Red/Blue")};
    const QRect rects[] = {Ltrb(108, 300, 173, 322), Ltrb(173, 300, 238, 322),
                           Ltrb(238, 300, 303, 322)};
    for (int mode = 0; mode < 3; ++mode) {
        QPushButton* button = MakeButton(texts[mode], rects[mode]);
        button->setCheckable(true);
        button->setAutoExclusive(true);
        button->setChecked(mode == m_mode);
        connect(button, &QPushButton::clicked, this, [this, mode] { OnMode(mode); });
        m_modeButtons[static_cast<std::size_t>(mode)] = button;
    }
}

void ColorBalancePage::OnMode(int mode)
{
    ModeButton(mode).setChecked(true);
    if (mode == m_mode) return;
    m_mode = mode;
    Refresh();
    NameButtons();
    update(Ltrb(330, 0, 620, 320));
}

void ColorBalancePage::AddSteps(int button)
{
    m_offsets[static_cast<std::size_t>(FirstChannel())] += VerticalSteps(button) * kStep;
    m_offsets[static_cast<std::size_t>(SecondChannel())] += HorizontalSteps(button) * kStep;
}

void ColorBalancePage::ApplySteps(Picture& picture, int button) const
{
    const int first = VerticalSteps(button) * kStep;
    const int second = HorizontalSteps(button) * kStep;
    if (first != 0) picture.AdjustColor(first, FirstChannel());
    if (second != 0) picture.AdjustColor(second, SecondChannel());
}

QString ColorBalancePage::VariantName(int button) const
{
    if (button == kCentre) return QStringLiteral("As the preview");
    const auto part = [](int steps, int channel) {
        const QLatin1String name(kChannelNames[channel]);
        return steps > 0   ? QStringLiteral("more %1").arg(name)
               : steps < 0 ? QStringLiteral("less %1").arg(name)
                           : QStringLiteral("%1 as now").arg(name);
    };
    return part(VerticalSteps(button), FirstChannel()) + QStringLiteral(", ") +
           part(HorizontalSteps(button), SecondChannel());
}

void ColorBalancePage::PaintAxes(QPainter& painter) const
{
    painter.drawLine(350, 310, 450, 310);
    DrawText(painter, 465, 300, HorizontalLabel(m_mode));
    painter.drawLine(520, 310, 610, 310);
    painter.drawLine(610, 310, 600, 305);
    painter.drawLine(610, 310, 600, 315);
    const QString vertical = VerticalLabel(m_mode);
    for (int k = 0; k < vertical.size(); ++k)
        DrawText(painter, 330, 140 + 12 * k, vertical.mid(k, 1));
    painter.drawLine(335, 300, 335, 210);
    painter.drawLine(335, 130, 335, 40);
    painter.drawLine(335, 40, 330, 50);
    painter.drawLine(335, 40, 340, 50);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(Ltrb(104, 296, 307, 326).adjusted(0, 0, -1, -1));
}

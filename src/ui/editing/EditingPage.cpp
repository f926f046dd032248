#include "ui/editing/EditingPage.h"

#include "imaging/Picture.h"
#include "ui/editing/PhotoEditingPropertySheet.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cmath>

EditingPage::EditingPage(PhotoEditingPropertySheet& sheet, QString caption)
    : m_sheet(sheet), m_caption(std::move(caption))
{
    setFixedSize(kWidth, kHeight);
    setAccessibleName(m_caption.trimmed());
}

void EditingPage::Activate()
{
    if (!m_created) {
        m_created = true;
        setFont(m_sheet.font());
        OnInitialise();
    }
    OnSetActive();
}

void EditingPage::OnCancel()
{
    m_sheet.SetModified(false);
}

QLabel* EditingPage::MakeLabel(const QString& text, const QRect& rect)
{
    auto* label = new QLabel(text, this);
    label->setFont(m_sheet.font());
    // The rectangle was measured for another font; a text that needs more room is not cut off.
    const QSize needed = label->sizeHint();
    label->setGeometry(rect.x(), rect.y(), std::max(rect.width(), needed.width()),
                       std::max(rect.height(), needed.height()));
    label->show();
    return label;
}

QPushButton* EditingPage::MakeButton(const QString& text, const QRect& rect)
{
    auto* button = new QPushButton(text, this);
    button->setFont(m_sheet.font());
    button->setGeometry(rect);
    button->setAutoDefault(false);
    button->show();
    return button;
}

qreal EditingPage::PixelRatio() const
{
    return std::max<qreal>(1.0, devicePixelRatioF());
}

int EditingPage::Physical(int logical) const
{
    return static_cast<int>(std::lround(logical * PixelRatio()));
}

QImage EditingPage::ScreenImage(const Picture& picture) const
{
    QImage image = picture.ToBitmap();
    image.setDevicePixelRatio(PixelRatio());
    return image;
}

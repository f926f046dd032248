#include "ui/editing/GalleryPage.h"

#include "ui/editing/GalleryButton.h"
#include "ui/editing/PageRect.h"
#include "ui/editing/PhotoEditingPropertySheet.h"

#include <QPainter>
#include <QPushButton>

GalleryPage::GalleryPage(PhotoEditingPropertySheet& sheet, QString caption, QRect undoRect)
    : EditingPage(sheet, std::move(caption)), m_undoRect(undoRect)
{
}

void GalleryPage::OnInitialise()
{
    LoadBase();
    MakeLabel(QStringLiteral("Select photo from gallery that looks best:"), Ltrb(20, 7, 250, 40));
    connect(MakeButton(QStringLiteral("Undo"), m_undoRect), &QPushButton::clicked, this,
            &GalleryPage::OnUndo);
    MakeOwnControls();
    for (int i = 0; i < kButtonCount; ++i) {
        auto* button = new GalleryButton(this);
        button->setGeometry(350 + 90 * (i % 3), 30 + 90 * (i / 3), 88, 88);
        connect(button, &GalleryButton::clicked, this, [this, i] { OnGalleryClicked(i); });
        button->show();
        m_buttons[static_cast<std::size_t>(i)] = button;
    }
    NameButtons();
}

void GalleryPage::LoadBase()
{
    m_base.FitCopyOf(Sheet().WorkingPicture(), Physical(kBaseWidth), Physical(kBaseHeight));
}

void GalleryPage::OnSetActive()
{
    LoadBase();
    ClearOffsets();
    Refresh();
}

void GalleryPage::Refresh()
{
    m_preview.CopyFrom(m_base);
    ApplyOffsets(m_preview);
    m_previewImage = ScreenImage(m_preview);
    Picture galleryBase;
    galleryBase.FitCopyOf(m_preview, Physical(kVariantSize), Physical(kVariantSize));
    for (int i = 0; i < kButtonCount; ++i) {
        Picture variant;
        variant.CopyFrom(galleryBase);
        ApplySteps(variant, i);
        m_buttons[static_cast<std::size_t>(i)]->SetPicture(variant, PixelRatio());
    }
    update(QRect(20, 40, kBaseWidth, kBaseHeight));
}

void GalleryPage::NameButtons()
{
    for (int i = 0; i < kButtonCount; ++i)
        m_buttons[static_cast<std::size_t>(i)]->setAccessibleName(VariantName(i));
}

void GalleryPage::OnGalleryClicked(int button)
{
    if (button == kCentre) return;
    AddSteps(button);
    Refresh();
}

void GalleryPage::OnUndo()
{
    ClearOffsets();
    Refresh();
}

void GalleryPage::OnKillActive()
{
    if (OffsetsAreZero()) return;
    Sheet().SetModified(true);
    Sheet().ChangeWorkingPicture([this](Picture& picture) { ApplyOffsets(picture); });
}

void GalleryPage::OnReset()
{
    OnSetActive();
    EditingPage::OnReset();
}

void GalleryPage::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    if (!m_previewImage.isNull()) painter.drawImage(QPoint(20, 40), m_previewImage);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(Sheet().font());
    PaintAxes(painter);
}

void GalleryPage::DrawText(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(QRect(x, y, 200, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

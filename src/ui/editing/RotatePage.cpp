#include "ui/editing/RotatePage.h"

#include "ui/editing/PhotoEditingPropertySheet.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <climits>

namespace {

constexpr int kLargestAngle = 359;

} // namespace

RotatePage::RotatePage(PhotoEditingPropertySheet& sheet)
    : EditingPage(sheet, QStringLiteral("Rotate") + QString(35, QLatin1Char(' ')))
{
}

int RotatePage::ParseAngle(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value =
            std::min<long long>(value * 10 + (text[at] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void RotatePage::OnInitialise()
{
    MakeLabel(
        QStringLiteral("Rotate picture either 90 degrees or select incremental rotation angle"),
        Ltrb(30, 5, 400, 18));
    connect(MakeButton(QStringLiteral("Rotate Left"), Ltrb(430, 50, 580, 80)),
            &QPushButton::clicked, this, &RotatePage::OnRotateLeft);
    connect(MakeButton(QStringLiteral("Rotate Right"), Ltrb(430, 150, 580, 180)),
            &QPushButton::clicked, this, &RotatePage::OnRotateRight);

    // The field and its arrows share the field's rectangle, the arrows on the right.
    const QRect field = Ltrb(430, 250, 480, 280);
    const int arrowWidth = 16;
    m_angleField = new QLineEdit(QStringLiteral("0"), this);
    m_angleField->setGeometry(field.adjusted(0, 0, -arrowWidth, 0));
    m_angleField->setAccessibleName(QStringLiteral("Rotation angle in degrees"));
    m_angleField->installEventFilter(this);
    m_angleField->show();
    m_spinUp = new QToolButton(this);
    m_spinUp->setArrowType(Qt::UpArrow);
    m_spinUp->setGeometry(field.right() - arrowWidth + 1, field.top(), arrowWidth,
                          field.height() / 2);
    m_spinUp->setAccessibleName(QStringLiteral("Increase angle"));
    m_spinUp->setAutoRepeat(true);
    m_spinUp->show();
    m_spinDown = new QToolButton(this);
    m_spinDown->setArrowType(Qt::DownArrow);
    m_spinDown->setGeometry(field.right() - arrowWidth + 1, field.top() + field.height() / 2,
                            arrowWidth, field.height() - field.height() / 2);
    m_spinDown->setAccessibleName(QStringLiteral("Decrease angle"));
    m_spinDown->setAutoRepeat(true);
    m_spinDown->show();
    connect(m_spinUp, &QToolButton::clicked, this, [this] { StepSpin(1); });
    connect(m_spinDown, &QToolButton::clicked, this, [this] { StepSpin(-1); });

    connect(MakeButton(QStringLiteral("Rotate"), Ltrb(500, 250, 580, 280)), &QPushButton::clicked,
            this, &RotatePage::OnRotate);
    connect(MakeButton(QStringLiteral("Undo"), Ltrb(30, 320, 110, 342)), &QPushButton::clicked,
            this, &RotatePage::OnUndo);
    SetSpinPosition(0);
}

void RotatePage::OnSetActive()
{
    MakePreview(0);
    m_angle = 0;
    update();
}

void RotatePage::MakePreview(int degrees)
{
    const Picture& working = Sheet().WorkingPicture();
    const int width = Physical(kPreviewWidth);
    const int height = Physical(kPreviewHeight);
    if (degrees == 0) {
        m_preview.FitCopyOf(working, width, height);
    } else {
        // Turned after reducing, never the whole picture: a square box holds the
        // picture fitted either way round, so the turn loses nothing that shows.
        const int side = std::max(width, height);
        m_preview.FitCopyOf(working, side, side);
        m_preview.Rotate(degrees);
        m_preview.FitInto(width, height);
    }
    m_previewImage = ScreenImage(m_preview);
    const QSize size = m_previewImage.deviceIndependentSize().toSize();
    m_previewRect = {30, 40, 30 + size.width(), 40 + size.height()};
}

void RotatePage::OnRotate()
{
    int angle = ParseAngle(m_angleField->text().toStdString());
    if (angle > kLargestAngle || angle < -kLargestAngle) angle = 0;
    m_angle = angle;
    m_angleField->setText(QString::number(angle));
    MakePreview(angle);
    update();
}

void RotatePage::OnRotateRight()
{
    m_angle += 90;
    if (m_angle > kLargestAngle) m_angle = 0;
    SetSpinPosition(m_angle);
    OnRotate();
}

void RotatePage::OnRotateLeft()
{
    m_angle -= 90;
    if (m_angle < -kLargestAngle) m_angle = 0;
    SetSpinPosition(m_angle);
    OnRotate();
}

void RotatePage::OnUndo()
{
    SetSpinPosition(0);
    m_angle = 0;
    OnRotate();
}

void RotatePage::SetSpinPosition(int position)
{
    m_spinPosition = std::clamp(position, kSpinMinimum, kSpinMaximum);
    m_angleField->setText(QString::number(m_spinPosition));
}

void RotatePage::StepSpin(int step)
{
    // The arrows go on from what the field shows, as an attached up-down control reads its buddy.
    const int shown =
        std::clamp(ParseAngle(m_angleField->text().toStdString()), kSpinMinimum, kSpinMaximum);
    SetSpinPosition(shown + step);
}

bool RotatePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_angleField && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            StepSpin(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return EditingPage::eventFilter(watched, event);
}

void RotatePage::paintEvent(QPaintEvent* /*event*/)
{
    if (m_previewImage.isNull()) return;
    QPainter painter(this);
    painter.drawImage(QPoint(m_previewRect.left, m_previewRect.top), m_previewImage);
}

void RotatePage::OnKillActive()
{
    if (m_angle != 0) {
        Sheet().SetModified(true);
        const int angle = m_angle;
        Sheet().ChangeWorkingPicture([angle](Picture& picture) { picture.Rotate(angle); });
    }
    m_angle = 0;
}

void RotatePage::OnReset()
{
    SetSpinPosition(0);
    m_angle = 0;
    m_angleField->setText(QStringLiteral("0"));
    MakePreview(0);
    update();
    EditingPage::OnReset();
}

#pragma once

#include <QDialog>

#include <array>
#include <string_view>

class Library;
class PictureView;
class Prompter;
class QRadioButton;

// "Copy to Clipboard": puts the picture that the picture view shows on the
// clipboard, fitted into the size the user picks. Every size is fitted from the
// full-screen file, enlarging where the box is bigger. It always opens on "Thumbnail".
class CopyToClipboardDialog : public QDialog {
    Q_OBJECT
public:
    struct Size {
        int id;
        std::string_view text;
        int width;
        int height;
    };
    // The radio texts' blanks line the sizes up in the dialog's font.
    static constexpr std::array<Size, 5> kSizes = {{
        {1026, "Thumbnail    (150x100)", 150, 100},
        {1027, "Small            (300x200)", 300, 200},
        {1028, "Medium        (450x300)", 450, 300},
        {1029, "Large           (600x400)", 600, 400},
        {1030, "Full screen   (800x600)", 800, 600},
    }};
    static constexpr std::string_view kNoPhoto =
        "No photo has been selected, cannot copy to clipboard";

    CopyToClipboardDialog(const Library& library, const PictureView& pictureView,
                          Prompter& prompter, QWidget* parent = nullptr);

    // The radio button of a size id (1026 to 1030), for the tests' clicks.
    QRadioButton* SizeButton(int id) const;

public Q_SLOTS:
    void accept() override;

private:
    const Size& CheckedSize() const;

    const Library& m_library;
    const PictureView& m_pictureView;
    Prompter& m_prompter;
    std::array<QRadioButton*, kSizes.size()> m_buttons{};
};

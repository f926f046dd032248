#pragma once

#include "core/PrintGeometry.h"

#include <QDialog>

#include <array>
#include <string>
#include <string_view>

class Prompter;
class QRadioButton;

// "Print Setup" of Print image: the size to print at and the version of the picture
// to print from. OK stays open while the chosen version is missing, so that another
// source can be picked.
class PrintImageDialog : public QDialog {
    Q_OBJECT
  public:
    struct Size {
        std::string_view text;
        PrintGeometry::PrintSize inches;
    };
    static constexpr std::array<Size, 4> kSizes = {{
        {"2x3 inch print", {3, 2}},
        {"3x5 inch print", {5, 3}},
        {"5x7 inch print", {7, 5}},
        {"7x9 inch print", {9, 7}},
    }};
    struct Source {
        std::string_view text;
        std::string_view folder;
    };
    static constexpr std::array<Source, 3> kSources = {{
        {"Full Screen Picture", "Full Screen Pictures"},
        {"High Resolution Image", "High Resolution Images"},
        {"Original Image", "Original Images"},
    }};

    PrintImageDialog(std::string directory, std::string fileName, Prompter& prompter,
                     QWidget* parent = nullptr);

    // Set by OK.
    PrintGeometry::PrintSize PrintSize() const { return m_printSize; }
    const std::string& PicturePath() const { return m_picturePath; }

    // The radio buttons, for the tests' clicks.
    QRadioButton* SizeButton(std::size_t index) const { return m_sizeButtons.at(index); }
    QRadioButton* SourceButton(std::size_t index) const { return m_sourceButtons.at(index); }

  public Q_SLOTS:
    void accept() override;

  private:
    const std::string m_directory;
    const std::string m_fileName;
    Prompter& m_prompter;
    PrintGeometry::PrintSize m_printSize;
    std::string m_picturePath;
    std::array<QRadioButton*, kSizes.size()> m_sizeButtons{};
    std::array<QRadioButton*, kSources.size()> m_sourceButtons{};
};

#pragma once

#include <QFileDialog>

#include <string>

class PreviewStatic;
class QCheckBox;
class QLabel;

// Qt's own file dialog with a preview panel on its right: a "&Preview" check box, the
// preview area and the picture's size in pixels. The preview follows the selection;
// changing folders clears it.
class CPrevFileDlg : public QFileDialog {
    Q_OBJECT
public:
    // filter: Qt name filters separated by ";;".
    CPrevFileDlg(AcceptMode mode, const QString& defaultSuffix, const QString& fileName,
                 const QString& filter, QWidget* parent = nullptr);

    // An open dialog that takes several existing files at once (Ctrl- and
    // Shift-click); the preview follows the file last clicked.
    void AllowSeveralFiles();

    bool PreviewOn() const { return m_previewOn; }
    QCheckBox* PreviewCheck() const { return m_previewCheck; }
    PreviewStatic* Preview() const { return m_preview; }
    QLabel* SizeLabel() const { return m_sizeText; }

    // The platform's events, also called by tests.
    void OnSelectionChanged(const QString& path);
    void OnFolderChanged();
    void OnPreviewClicked(bool checked);

private:
    QWidget* MakePanel();
    void NameViews();
    // Shows the selection when preview is on, clears the area when it is off.
    void RefreshPreview();
    void ShowSelection();
    void UpdateSizeText();

    bool m_previewOn = true;
    QString m_selection;
    QCheckBox* m_previewCheck = nullptr;
    PreviewStatic* m_preview = nullptr;
    QLabel* m_sizeText = nullptr;
};

#pragma once

#include "compile/ManuscriptSettings.h"

#include <QDialog>

class MessageTable;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

/// The Export Manuscript dialog: the type, what the manuscript holds, its form and the title
/// page's contact block, asked before the save dialog. It shows settings and hands them back;
/// reading and keeping them is ManuscriptSettings' work.
class ExportDialog : public QDialog {
    Q_OBJECT
public:
    /// `pandoc` says whether the program that writes DOCX and EPUB is installed; without it
    /// those types are shown, marked and not to be chosen.
    ExportDialog(const ManuscriptSettings& settings, bool pandoc, const MessageTable& messages,
        QWidget* parent = nullptr);

    /// The settings as the dialog shows them; the folder is the one it was given.
    ManuscriptSettings Settings() const;

    QComboBox* cmbFormat;
    QLabel* lblNoPandoc;
    QCheckBox* cbTitlesOnly;
    QCheckBox* cbStandardManuscript;
    QCheckBox* cbSceneTitles;
    QCheckBox* cbCurlyQuotes;
    QComboBox* cmbFont;
    QComboBox* cmbPaper;
    QLineEdit* edtAuthor;
    QLineEdit* edtName;
    QPlainTextEdit* memAddress;
    QLineEdit* edtEmail;
    QLineEdit* edtPhone;
    QPushButton* btnOK;
    QPushButton* btnCancel;

private:
    /// Scene titles and the face belong to the standard form.
    void UpdateStandardOptions();

    QString FFolder;
};

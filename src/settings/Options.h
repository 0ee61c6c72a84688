#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

/// The most automatic backups of one project the settings may ask to keep.
constexpr int MostAutomaticBackups = 999;

/// The values the options dialog edits: the program's settings and the open project's.
struct OptionValues {
    QString LanguageFile;  ///< "English.ini"
    QString DefaultTheme;  ///< "Book.ini"
    QString ProjectTheme;  ///< the open project's theme
    bool SelectNextLink = true;
    bool Hints = false;
    int EditMemory = 1;    ///< 0 Remember All, 1 Single, 2 None
    bool EditorsOnTop = false;
    QString FontName;
    int FontSize = 11;
    bool AutoSave = false;
    int AutoSaveInterval = 15;
    int AutomaticBackups = 10; ///< kept for each project; 0 makes none
    int WorkspaceSize = 0; ///< 0 screen size, 1 double, 2 quadruple
    bool BoldBaseType = true;
    int TargetWordCount = 0;
    int DailyTarget = 0;   ///< none when 0
    int SessionTarget = 0; ///< none when 0
    QDate Deadline;        ///< none when invalid
};

/// The options dialog: three pages (Application, Editor, Project) over its own copies of the
/// values, which the caller hands over before showing it and takes back after OK. The language
/// and theme lists are filled from the program's "Languages" and "Themes" folders each time it
/// shows.
class TfmOptions : public QDialog {
    Q_OBJECT
public:
    /// `appFolder` ends with "/".
    explicit TfmOptions(QString appFolder, QWidget* parent = nullptr);

    void SetValues(const OptionValues& values);
    /// The values as the dialog closed (after OK or Cancel).
    OptionValues Values() const;

    QTabWidget* pcOptions;
    QWidget* tsApplication;
    QWidget* tsEditor;
    QWidget* tsProject;
    QComboBox* cmbLanguage;
    QComboBox* cmbDefaultTheme;
    QCheckBox* cbSelectNextLink;
    QCheckBox* cbHints;
    QSpinBox* edtKeepBackups;
    QRadioButton* rbAll;
    QRadioButton* rbSingle;
    QRadioButton* rbNone;
    QCheckBox* cbEditorsOnTop;
    QComboBox* cmbFontName;
    QComboBox* cmbFontSize;
    QCheckBox* cbAutoSave;
    QComboBox* cmbInterval;
    QRadioButton* rbNormal;
    QRadioButton* rbDouble;
    QRadioButton* rbQuad;
    QCheckBox* cbBoldBaseType;
    QComboBox* cmbThemes;
    QLineEdit* edtTargetWordCount;
    QSpinBox* edtDailyTarget;
    QSpinBox* edtSessionTarget;
    QCheckBox* cbDeadline; ///< checked: the deadline's date counts
    QDateEdit* dtpDeadline;
    QPushButton* btnOK;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildApplicationPage();
    QWidget* BuildEditorPage();
    QWidget* BuildProjectPage();
    /// The daily and session targets and the deadline of the project target.
    QGroupBox* BuildGoalsBox();
    /// Fills a list with the names of a folder's ".ini" files and selects `current`'s.
    void FillNameList(QComboBox* list, const QString& folder, const QString& current);

    QString FAppFolder;
    OptionValues FValues;
};

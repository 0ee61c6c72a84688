#pragma once

#include "spelling/Thesaurus.h"

#include <QDialog>

class MessageTable;
class QLineEdit;
class QListWidget;
class QPushButton;

/// The thesaurus window: the meanings of the word looked up, the synonyms of the chosen
/// meaning, and the word that Replace puts in the text. Look Up follows a synonym to its own
/// meanings, and Enter in the looked-up field looks up the word typed there.
class ThesaurusDialog : public QDialog {
    Q_OBJECT
public:
    ThesaurusDialog(TThesaurus& thesaurus, const QString& word,
        const QList<ThesaurusMeaning>& meanings, const MessageTable& messages,
        QWidget* parent = nullptr);

    /// The word chosen to replace the one looked up.
    QString Replacement() const;

    QLineEdit* edtLookedUp;
    QListWidget* lbMeanings;
    QLineEdit* edtReplaceWith;
    QListWidget* lbSynonyms;
    QPushButton* btnReplace;
    QPushButton* btnLookUp;
    QPushButton* btnCancel;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowMeanings(const QString& word, const QList<ThesaurusMeaning>& meanings);
    void ShowSynonyms(int meaning);
    void btnLookUpClick();

    TThesaurus& FThesaurus;
    const MessageTable& FMessages;
    QList<ThesaurusMeaning> FMeanings;
};

#include "search/FindInProjectWindow.h"

#include "messages/MessageTable.h"
#include "search/FindResultsDelegate.h"
#include "search/FindResultsModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

FindInProjectWindow::FindInProjectWindow(const MessageTable& messages, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , edtSearch(new QLineEdit(this))
    , edtReplace(new QLineEdit(this))
    , chkMatchCase(new QCheckBox(this))
    , chkWholeWords(new QCheckBox(this))
    , chkRegularExpression(new QCheckBox(this))
    , chkNames(new QCheckBox(this))
    , chkDescriptions(new QCheckBox(this))
    , chkTexts(new QCheckBox(this))
    , btnSearch(new QPushButton(this))
    , btnStop(new QPushButton(this))
    , btnReplaceAll(new QPushButton(this))
    , tvResults(new QTreeView(this))
    , lblCount(new QLabel(this))
    , lblReplaced(new QLabel(this))
    , FMessages(messages)
    , FResults(new FindResultsModel(this))
    , FSearch(new ProjectSearch(this))
{
    setObjectName("fmFindInProject");
    edtSearch->setObjectName("edtSearch");
    edtReplace->setObjectName("edtReplace");
    chkMatchCase->setObjectName("chkMatchCase");
    chkWholeWords->setObjectName("chkWholeWords");
    chkRegularExpression->setObjectName("chkRegularExpression");
    chkNames->setObjectName("chkNames");
    chkDescriptions->setObjectName("chkDescriptions");
    chkTexts->setObjectName("chkTexts");
    btnSearch->setObjectName("btnSearch");
    btnStop->setObjectName("btnStop");
    btnReplaceAll->setObjectName("btnReplaceAll");
    tvResults->setObjectName("tvResults");
    lblCount->setObjectName("lblCount");
    lblReplaced->setObjectName("lblReplaced");
    for (QCheckBox* place : { chkNames, chkDescriptions, chkTexts })
        place->setChecked(true);
    for (QLabel* label : { lblCount, lblReplaced })
        label->setTextFormat(Qt::PlainText);
    lblReplaced->setWordWrap(true);
    lblReplaced->hide();

    tvResults->setModel(FResults);
    tvResults->setItemDelegate(new FindResultsDelegate(tvResults));
    tvResults->setHeaderHidden(true);
    tvResults->setUniformRowHeights(true);
    tvResults->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* fields = new QGridLayout;
    auto* searchLabel = new QLabel(this);
    searchLabel->setObjectName("lblSearch");
    searchLabel->setBuddy(edtSearch);
    auto* replaceLabel = new QLabel(this);
    replaceLabel->setObjectName("lblReplace");
    replaceLabel->setBuddy(edtReplace);
    fields->addWidget(searchLabel, 0, 0);
    fields->addWidget(edtSearch, 0, 1);
    fields->addWidget(btnSearch, 0, 2);
    fields->addWidget(btnStop, 0, 3);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(edtReplace, 1, 1);
    fields->addWidget(btnReplaceAll, 1, 2, 1, 2);
    auto* options = new QHBoxLayout;
    for (QCheckBox* option : { chkMatchCase, chkWholeWords, chkRegularExpression })
        options->addWidget(option);
    options->addSpacing(16);
    auto* lookIn = new QLabel(this);
    lookIn->setObjectName("lblLookIn");
    options->addWidget(lookIn);
    for (QCheckBox* place : { chkNames, chkDescriptions, chkTexts })
        options->addWidget(place);
    options->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(options);
    layout->addWidget(tvResults, 1);
    layout->addWidget(lblReplaced);
    layout->addWidget(lblCount);
    // Tab leads from the pattern straight to its replacement.
    setTabOrder(edtSearch, edtReplace);
    setTabOrder(edtReplace, tvResults);
    resize(720, 520);

    connect(edtSearch, &QLineEdit::returnPressed, this, &FindInProjectWindow::Search);
    connect(btnSearch, &QPushButton::clicked, this, &FindInProjectWindow::Search);
    connect(btnStop, &QPushButton::clicked, FSearch, &ProjectSearch::Stop);
    connect(btnReplaceAll, &QPushButton::clicked, this, &FindInProjectWindow::ReplaceAll);
    connect(tvResults, &QTreeView::activated, this, &FindInProjectWindow::Activate);
    connect(FSearch, &ProjectSearch::Found, this,
        [this](const QList<CardMatches>& cards, int searched) {
            FResults->Append(cards);
            FCardsSearched = searched;
            ShowCount();
        });
    connect(FSearch, &ProjectSearch::Finished, this, [this](bool stopped) {
        FStopped = stopped;
        ShowCount();
        UpdateButtons();
    });
    ApplyCaptions();
    UpdateButtons();
}

FindInProjectWindow::~FindInProjectWindow() = default;

void FindInProjectWindow::ApplyCaptions()
{
    const MessageTable& m = FMessages;
    setWindowTitle(m.Text(MessageKey::FIND_IN_PROJECT_TITLE));
    findChild<QLabel*>("lblSearch")->setText(m.Text(MessageKey::FIND_WHAT));
    findChild<QLabel*>("lblReplace")->setText(m.Text(MessageKey::FIND_REPLACE_WITH));
    findChild<QLabel*>("lblLookIn")->setText(m.Text(MessageKey::FIND_LOOK_IN));
    chkMatchCase->setText(m.Text(MessageKey::FIND_MATCH_CASE));
    chkWholeWords->setText(m.Text(MessageKey::FIND_WHOLE_WORDS));
    chkRegularExpression->setText(m.Text(MessageKey::FIND_REGULAR_EXPRESSION));
    chkNames->setText(m.Text(MessageKey::FIND_IN_NAMES));
    chkDescriptions->setText(m.Text(MessageKey::FIND_IN_DESCRIPTIONS));
    chkTexts->setText(m.Text(MessageKey::FIND_IN_TEXTS));
    btnSearch->setText(m.Text(MessageKey::FIND_START));
    btnStop->setText(m.Text(MessageKey::FIND_STOP));
    btnReplaceAll->setText(m.Text(MessageKey::FIND_REPLACE_ALL));
    FindResultsModel::Looks looks;
    looks.CardRow = m.Text(MessageKey::FIND_CARD_ROW);
    looks.Unreadable = m.Text(MessageKey::FIND_TEXT_NOT_READ);
    looks.NameField = m.Text(MessageKey::FIND_NAME_FIELD);
    looks.DescriptionField = m.Text(MessageKey::FIND_DESCRIPTION_FIELD);
    FResults->SetLooks(looks);
}

void FindInProjectWindow::showEvent(QShowEvent* event)
{
    // The language may have changed while the window was hidden.
    ApplyCaptions();
    QWidget::showEvent(event);
    edtSearch->setFocus();
    edtSearch->selectAll();
}

void FindInProjectWindow::hideEvent(QHideEvent* event)
{
    // A closed window's search would read the project for nobody.
    FSearch->Stop();
    QWidget::hideEvent(event);
}

void FindInProjectWindow::Search()
{
    lblReplaced->clear();
    lblReplaced->hide();
    SearchOptions options;
    options.Pattern = edtSearch->text();
    options.MatchCase = chkMatchCase->isChecked();
    options.WholeWords = chkWholeWords->isChecked();
    options.RegularExpression = chkRegularExpression->isChecked();
    StartSearch(
        options, { chkNames->isChecked(), chkDescriptions->isChecked(), chkTexts->isChecked() });
}

void FindInProjectWindow::StartSearch(const SearchOptions& options, const SearchScope& scope)
{
    FSearch->Stop();
    FResults->Clear();
    FSearched = options;
    FSearchedScope = scope;
    FMatcher = TextMatcher(options);
    FStopped = false;
    FCardsSearched = 0;
    FCardsToSearch = 0;
    if (!FMatcher.IsValid()) {
        lblCount->setText(FMatcher.Problem(FMessages));
        UpdateButtons();
        return;
    }
    QList<SearchedCard> cards = Snapshot ? Snapshot() : QList<SearchedCard>();
    FCardsToSearch = int(cards.size());
    FSearch->Start(std::move(cards), options, scope);
    ShowCount();
    UpdateButtons();
}

void FindInProjectWindow::ShowCount()
{
    const QString matches = QString::number(FResults->MatchCount());
    const QString cards = QString::number(FResults->CardCount());
    if (FSearch->Running())
        lblCount->setText(FMessages.Text(MessageKey::FIND_SEARCHING)
                              .arg(matches, cards, QString::number(FCardsSearched),
                                  QString::number(FCardsToSearch)));
    else
        lblCount->setText(
            FMessages.Text(FStopped ? MessageKey::FIND_STOPPED : MessageKey::FIND_COUNT)
                .arg(matches, cards));
}

void FindInProjectWindow::UpdateButtons()
{
    const bool running = FSearch->Running();
    btnStop->setEnabled(running);
    btnReplaceAll->setEnabled(!running && FResults->MatchCount() > 0);
}

void FindInProjectWindow::ReplaceAll()
{
    if (FSearch->Running())
        return;
    const QList<CardReplacement> replacements
        = FResults->CheckedReplacements(FMatcher, edtReplace->text());
    if (!replacements.isEmpty())
        emit ReplaceRequested(replacements, FSearched.Pattern);
}

void FindInProjectWindow::ShowReplaced(int cardsChanged, const QList<RefusedReplacement>& refused)
{
    QStringList lines { cardsChanged == 1
            ? FMessages.Text(MessageKey::FIND_REPLACED_IN_CARD)
            : FMessages.Text(MessageKey::FIND_REPLACED).arg(cardsChanged) };
    for (const RefusedReplacement& refusal : refused)
        lines << FMessages.Text(MessageKey::FIND_REFUSED)
                     .arg(FResults->CardName(refusal.Card), refusal.Reason);
    StartSearch(FSearched, FSearchedScope);
    lblReplaced->setText(lines.join('\n'));
    lblReplaced->show();
}

void FindInProjectWindow::Activate(const QModelIndex& index)
{
    CardId card = 0;
    FoundMatch found;
    if (FResults->MatchAt(index, card, found))
        emit OpenRequested(card, found.Field, found.Match.Start, found.Match.Length);
}

#include "localisation/LanguageE.h"

#include "library/Catalogues.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
const QString kBookPlaceholder = QStringLiteral("Double Click to Edit.");
const QString kShortPlaceholder = QStringLiteral("Short Name.");
constexpr int kNameColumn = 2;
constexpr int kShortColumn = 3;
} // namespace

LanguageE::LanguageE(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("LanguageE"));
    setModal(true);
    buildControls();
    Form_Load();
}

void LanguageE::buildControls() {
    Frame1 = named(new QGroupBox(this), "Frame1");
    LSel = named(new QListWidget(Frame1), "LSel");
    auto* left = new QVBoxLayout(Frame1);
    left->addWidget(LSel);
    Frame1->setMaximumWidth(230);

    Frame2 = named(new QGroupBox(this), "Frame2");
    lbl = named(new QLabel(Frame2), "lbl");
    QFont bold = lbl->font();
    bold.setBold(true);
    lbl->setFont(bold);
    LV = named(new QTreeWidget(Frame2), "LV");
    LV->setColumnCount(4);
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setAllColumnsShowFocus(true);
    LV->header()->setStretchLastSection(true);
    LV->installEventFilter(this);
    lbla = named(new QLabel(Frame2), "lbla");
    lbla->setWordWrap(true);
    auto* right = new QVBoxLayout(Frame2);
    right->addWidget(lbl);
    right->addWidget(LV, 1);
    right->addWidget(lbla);

    cSave = named(new QPushButton(this), "cSave");
    cDefault = named(new QPushButton(this), "cDefault");
    cDisaster = named(new QPushButton(this), "cDisaster");
    Command4 = named(new QPushButton(this), "Command4");
    cQuit = named(new QPushButton(this), "cQuit");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cSave, cDefault, cDisaster})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(Command4);
    buttons->addWidget(cQuit);

    auto* panes = new QHBoxLayout;
    panes->addWidget(Frame1);
    panes->addWidget(Frame2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);
    resize(820, 560);

    connect(LSel, &QListWidget::currentRowChanged, this, &LanguageE::LSel_Click);
    connect(LV, &QTreeWidget::itemDoubleClicked, this, &LanguageE::LV_DblClick);
    connect(cSave, &QPushButton::clicked, this, &LanguageE::cSave_Click);
    connect(cDefault, &QPushButton::clicked, this, &LanguageE::cDefault_Click);
    connect(cDisaster, &QPushButton::clicked, this, &LanguageE::cDisaster_Click);
    connect(Command4, &QPushButton::clicked, this, &LanguageE::helpRequested);
    connect(cQuit, &QPushButton::clicked, this, &LanguageE::cQuit_Click);
}

QString LanguageE::sysDefs(const QString& file) const {
    return m_state.SysDefsFolder + file;
}

void LanguageE::Form_Load() {
    setWindowTitle(MessageText::Frm(m_state, 13, TolvaneRoutines::ProductName()));
    const QSignalBlocker block(LSel);
    LSel->addItems(LanguageBooks::Languages(m_state.SysDefsFolder));
    LSel->addItem(MessageText::Frm(m_state, 1002));
    LSel->setCurrentRow(-1);
    const std::optional<QStringList> refs =
        LanguageBooks::ReadReferenceNames(sysDefs(QStringLiteral("ref.txt")));
    for (int i = 0; i < LanguageBooks::kBooks; ++i) {
        auto* item = new QTreeWidgetItem(LV);
        item->setText(0, QString::number(i + 1));
        if (refs && i < refs->size())
            item->setText(1, refs->at(i));
    }
    lbla->setText(MessageText::Frm(m_state, 168));
    International();
    if (!refs || refs->size() < LanguageBooks::kBooks)
        TolvaneRoutines::ReportError(m_state.dialogs,
                                     TolvaneRoutines::ErrorNumber::InputPastEnd,
                                     QStringLiteral("Load Language"), sysDefs("ref.txt"));
}

void LanguageE::International() {
    using MessageText::Frm;
    cDefault->setText(Frm(m_state, 161));
    cSave->setText(Frm(m_state, 162));
    cDisaster->setText(Frm(m_state, 163));
    Command4->setText(Frm(m_state, 164));
    cQuit->setText(Frm(m_state, 165));
    Frame2->setTitle(Frm(m_state, 166));
    Frame1->setTitle(Frm(m_state, 167));
    LV->setHeaderLabels({Frm(m_state, 186), Frm(m_state, 187), Frm(m_state, 188),
                         Frm(m_state, 189)});
    LV->setColumnWidth(0, 40);
    LV->setColumnWidth(1, 150);
    LV->setColumnWidth(2, 190);
}

QVector<LanguageBooks::Entry> LanguageE::entries() const {
    QVector<LanguageBooks::Entry> out;
    for (int i = 0; i < LV->topLevelItemCount(); ++i)
        out.append({LV->topLevelItem(i)->text(kShortColumn), LV->topLevelItem(i)->text(kNameColumn)});
    return out;
}

void LanguageE::restoreChoice() {
    const QSignalBlocker block(LSel);
    LSel->setCurrentRow(m_chosenRow);
}

void LanguageE::LSel_Click(int row) {
    if (row < 0 || row == m_chosenRow)
        return;
    if (m_unsaved) {
        const auto answer = m_state.dialogs.show(
            Dialogs::Icon::Question, MessageText::Std(m_state, 493), MessageText::Std(m_state, 36),
            Dialogs::Buttons::YesNo, Dialogs::Answer::No);
        if (answer != Dialogs::Answer::Yes) {
            restoreChoice();
            return;
        }
        m_unsaved = false;
    }
    if (row == LSel->count() - 1) {
        // A new language is named and checked before anything of the old choice changes.
        if (!createLanguage())
            restoreChoice();
        return;
    }
    m_chosenRow = row;
    chooseLanguage(LSel->item(row)->text());
}

void LanguageE::chooseLanguage(const QString& language) {
    LV->headerItem()->setText(kNameColumn, MessageText::Frm(m_state, 190, language));
    lbl->setText(MessageText::Frm(m_state, 191, language));
    m_chosenFile = LanguageBooks::FileNameFor(language);
    const QVector<LanguageBooks::Entry> list = LanguageBooks::ReadList(sysDefs(m_chosenFile));
    for (int i = 0; i < LV->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = LV->topLevelItem(i);
        item->setText(kNameColumn, i < list.size() ? list[i].bookName : QString());
        item->setText(kShortColumn, i < list.size() ? list[i].shortName : QString());
    }
}

bool LanguageE::createLanguage() {
    const std::optional<QString> answer = m_state.dialogs.input(
        MessageText::Std(m_state, 40), MessageText::Std(m_state, 497), QString());
    const QString name = answer ? answer->trimmed().toUpper() : QString();
    if (name.isEmpty())
        return false;
    const QChar bad = LanguageBooks::InvalidNameCharacter(name);
    if (!bad.isNull()) {
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 37, QString(bad)));
        return false;
    }
    const QString file = LanguageBooks::FileNameFor(name);
    if (FileFunctions::FileExists(sysDefs(file))) {
        m_state.dialogs.show(Dialogs::Icon::Warning,
                             MessageText::Std(m_state, 496, TolvaneRoutines::ProductName()),
                             MessageText::Std(m_state, 38, name));
        return false;
    }
    for (int i = 0; i < LV->topLevelItemCount(); ++i) {
        LV->topLevelItem(i)->setText(kNameColumn, kBookPlaceholder);
        LV->topLevelItem(i)->setText(kShortColumn, kShortPlaceholder);
    }
    lbl->setText(MessageText::Std(m_state, 505, name));
    LV->headerItem()->setText(kNameColumn, MessageText::Std(m_state, 506, name));
    {
        const QSignalBlocker block(LSel);
        LSel->insertItem(LSel->count() - 1, name);
        m_chosenRow = LSel->count() - 2;
        LSel->setCurrentRow(m_chosenRow);
    }
    m_chosenFile = file;
    saveChosen(true);
    return true;
}

void LanguageE::LV_DblClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    if (m_chosenFile.isEmpty()) {
        m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 39));
        return;
    }
    m_unsaved = true;
    const QString book = item->text(kNameColumn);
    const std::optional<QString> name = m_state.dialogs.input(
        MessageText::Frm(m_state, 192, book), MessageText::Frm(m_state, 193), book);
    if (name && !name->isEmpty())
        item->setText(kNameColumn, *name);
    const QString current = item->text(kShortColumn);
    const QString proposal =
        current == kShortPlaceholder ? item->text(kNameColumn).left(3) : current;
    const std::optional<QString> shortName = m_state.dialogs.input(
        MessageText::Frm(m_state, 194), MessageText::Frm(m_state, 195), proposal);
    if (shortName && !shortName->isEmpty())
        item->setText(kShortColumn, *shortName);
}

bool LanguageE::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LV && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool opens = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                           key->key() == Qt::Key_Space;
        if (opens && !(key->modifiers() & Qt::ShiftModifier)) {
            LV_DblClick(LV->currentItem());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// Writes the chosen language's list. With askAndTell, an existing file is replaced only after
// the question, and the user is told where it went.
bool LanguageE::saveChosen(bool askAndTell) {
    if (m_chosenFile.isEmpty()) {
        m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 31));
        return false;
    }
    const QVector<LanguageBooks::Entry> list = entries();
    if (const int bad = LanguageBooks::InvalidBook(list)) {
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 503, QString::number(bad)));
        LV->setCurrentItem(LV->topLevelItem(bad - 1));
        return false;
    }
    const QString path = sysDefs(m_chosenFile);
    if (askAndTell && FileFunctions::FileExists(path) &&
        m_state.dialogs.show(Dialogs::Icon::Question, MessageText::Std(m_state, 494),
                             MessageText::Std(m_state, 33, m_chosenFile), Dialogs::Buttons::YesNo,
                             Dialogs::Answer::No) != Dialogs::Answer::Yes)
        return false;
    if (!FileFunctions::writeWholeFile(path, LanguageBooks::FormatList(list))) {
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 507, path));
        return false;
    }
    if (askAndTell)
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 34, m_chosenFile));
    m_unsaved = false;
    return true;
}

void LanguageE::cSave_Click() {
    if (saveChosen(true))
        emit bookListChanged();
}

bool LanguageE::writeActiveList(const QByteArray& bytes) {
    const QString path = sysDefs(QStringLiteral("BOOKS.TXT"));
    if (!FileFunctions::writeWholeFile(path, bytes)) {
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 507, FileFunctions::resolve(path)));
        return false;
    }
    Catalogues::LoadBookCatalogue(m_state);
    emit bookListChanged();
    return true;
}

void LanguageE::cDefault_Click() {
    // The language's own file is saved too, so no edit is lost with the next choice.
    if (!saveChosen(false))
        return;
    if (!writeActiveList(LanguageBooks::FormatList(entries())))
        return;
    const QString language = LanguageBooks::LanguageOf(m_chosenFile);
    GetLang(language);
    if (!m_ending)
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 32, language));
}

void LanguageE::GetLang(const QString& language) {
    const bool found = LanguageBooks::HasMessageFiles(m_state.MessageFolder, language);
    m_state.LanguagePrefix = found ? language + QLatin1Char('_') : QString(SettingsKeys::LanguageDefault);
    m_state.settings.write(SettingsKeys::Settings, SettingsKeys::Language, m_state.LanguagePrefix);
    m_state.dialogs.show(Dialogs::Icon::Information, windowTitle(),
                         MessageText::Std(m_state, found ? 100 : 101, language));
    if (found) {
        m_ending = true;
        emit endProgramRequested();
        reject();
    }
}

void LanguageE::cDisaster_Click() {
    const auto answer = m_state.dialogs.show(
        Dialogs::Icon::Question, MessageText::Std(m_state, 498), MessageText::Std(m_state, 28),
        Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (answer != Dialogs::Answer::Yes) {
        m_state.dialogs.show(Dialogs::Icon::None, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 29));
        return;
    }
    const QString ref = sysDefs(QStringLiteral("ref.txt"));
    QByteArray bytes;
    if (!FileFunctions::readWholeFile(ref, bytes) || !LanguageBooks::LoadsAsCatalogue(bytes)) {
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 504, ref));
        return;
    }
    if (writeActiveList(bytes))
        m_state.dialogs.show(Dialogs::Icon::Information, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 30));
}

void LanguageE::cQuit_Click() {
    reject();
}

void LanguageE::done(int result) {
    // Every way of closing comes here. Unsaved edits are asked about; when the answer is to
    // save and the list cannot be saved, the window stays open with the edits.
    if (!m_closed && m_unsaved && !m_ending) {
        const auto answer = m_state.dialogs.show(
            Dialogs::Icon::Question,
            MessageText::Std(m_state, 495, TolvaneRoutines::ProductName()),
            MessageText::Std(m_state, 35), Dialogs::Buttons::YesNo, Dialogs::Answer::No);
        if (answer != Dialogs::Answer::Yes && !saveChosen(true))
            return;
        m_unsaved = false;
    }
    m_closed = true;
    QDialog::done(result);
}

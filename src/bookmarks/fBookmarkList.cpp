#include "bookmarks/fBookmarkList.h"

#include "bookmarks/fMenAdd.h"
#include "library/DataFolders.h"
#include "library/FileFunctions.h"
#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "platform/Win1252.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "platform/rtf/RtfReader.h"
#include "platform/rtf/RtfWriter.h"

#include <QFile>
#include <cmath>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
using TolvaneRoutines::ErrorNumber::FileNotFound;
using TolvaneRoutines::ErrorNumber::PathFileAccess;
} // namespace

fBookmarkList::fBookmarkList(ProgramState& state, QTextEdit* pane, QWidget* parent)
    : QDialog(parent), m_state(state), m_pane(pane), m_store(DataFolders::Layout(state).writable()) {
    setObjectName(QStringLiteral("fBookmarkList"));
    setModal(true);
    buildControls();
    // Form_Load: the snapshot folder (it may exist already) and the texts.
    FileFunctions::makeFolder(m_store.snapshotFolder());
    International();
    m_dialog = new fMenAdd(state, this);
    connect(m_dialog, &fMenAdd::helpRequested, this, &fBookmarkList::helpRequested);
}

void fBookmarkList::buildControls() {
    LV = named(new QTreeWidget(this), "LV");
    LV->setColumnCount(5);
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setAllColumnsShowFocus(true);
    LV->setSortingEnabled(false);
    LV->header()->setSectionsClickable(true);
    LV->header()->setStretchLastSection(true);
    // Widths for typical contents (measuring every row would cost a long list its speed).
    const QFontMetrics fm(LV->font());
    const char* samples[] = {"A bookmark title here", "Jesus Teachings", "08-Dec-2026__",
                             "SONG_OF_SOLOMON 002:004_"};
    for (int c = 0; c < 4; ++c)
        LV->setColumnWidth(c, fm.horizontalAdvance(QLatin1String(samples[c])));
    cmdUpdate = named(new QPushButton(this), "cmdUpdate");
    cmdDelete = named(new QPushButton(this), "cmdDelete");
    cmdEdit = named(new QPushButton(this), "cmdEdit");
    cmdGoto = named(new QPushButton(this), "cmdGoto");
    cmdAdd = named(new QPushButton(this), "cmdAdd");
    cmdClose = named(new QPushButton(this), "cmdClose");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdAdd, cmdEdit, cmdDelete, cmdGoto, cmdUpdate})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LV, 1);
    layout->addLayout(buttons);

    connect(cmdAdd, &QPushButton::clicked, this, &fBookmarkList::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &fBookmarkList::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &fBookmarkList::cmdDelete_Click);
    connect(cmdGoto, &QPushButton::clicked, this, &fBookmarkList::cmdGoto_Click);
    connect(cmdUpdate, &QPushButton::clicked, this, &fBookmarkList::cmdUpdate_Click);
    connect(cmdClose, &QPushButton::clicked, this, &fBookmarkList::cmdClose_Click);
    connect(LV, &QTreeWidget::itemDoubleClicked, this, &fBookmarkList::cmdGoto_Click);
    connect(LV->header(), &QHeaderView::sectionClicked, this, &fBookmarkList::LV_ColumnClick);
}

void fBookmarkList::International() {
    using MessageText::Frm;
    setWindowTitle(Frm(m_state, 990));
    const struct {
        QPushButton* button;
        int number;
    } captions[] = {{cmdUpdate, 170}, {cmdDelete, 171}, {cmdEdit, 172},
                    {cmdGoto, 173},   {cmdAdd, 174},    {cmdClose, 175}};
    for (const auto& c : captions)
        c.button->setText(Frm(m_state, c.number));
    QStringList headers;
    for (int n = 176; n <= 180; ++n)
        headers << Frm(m_state, n);
    LV->setHeaderLabels(headers);
}

void fBookmarkList::LoadBookmarks() {
    LV->clear();
    const BookmarkStore::Loaded loaded = m_store.Load();
    QList<QTreeWidgetItem*> items;
    items.reserve(loaded.rows.size());
    for (const Bookmark& b : loaded.rows) {
        auto* item = new QTreeWidgetItem;
        writeRow(item, b);
        items.append(item);
    }
    LV->addTopLevelItems(items);
    if (!loaded.damagedLines.isEmpty()) {
        QStringList lines;
        for (int n : loaded.damagedLines)
            lines << QString::number(n);
        m_state.dialogs.show(Dialogs::Icon::Warning, TolvaneRoutines::ProductName(),
                             MessageText::Std(m_state, 502, lines.join(QStringLiteral(", "))));
    }
}

void fBookmarkList::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void fBookmarkList::Form_Activate() {
    if (isMaximized())
        return;
    const SettingsStore& s = m_state.settings;
    const double dpi = logicalDpiX();
    const int left = Twips::toPixelsRounded(double(s.readInt(SettingsKeys::Settings,
                                                             SettingsKeys::LeftBookmark)), dpi);
    const int top = Twips::toPixelsRounded(double(s.readInt(SettingsKeys::Settings,
                                                            SettingsKeys::TopBookmark)), dpi);
    const int width = Twips::toPixelsRounded(
        double(s.readInt(SettingsKeys::Settings, SettingsKeys::WidthBookmark)), dpi);
    const int height = Twips::toPixelsRounded(
        double(s.readInt(SettingsKeys::Settings, SettingsKeys::HeightBookmark)), dpi);
    move(left, top);
    if (width > 0 && height > 0)
        resize(width, height);
}

void fBookmarkList::savePlacement() {
    if (isMaximized())
        return;
    const double dpi = logicalDpiX();
    auto twips = [dpi](int pixels) { return std::round(Twips::fromPixels(pixels, dpi)); };
    SettingsStore& s = m_state.settings;
    s.writeNumber(SettingsKeys::Settings, SettingsKeys::TopBookmark.name, twips(y()));
    s.writeNumber(SettingsKeys::Settings, SettingsKeys::WidthBookmark.name, twips(width()));
    s.writeNumber(SettingsKeys::Settings, SettingsKeys::HeightBookmark.name, twips(height()));
    s.writeNumber(SettingsKeys::Settings, SettingsKeys::LeftBookmark.name, twips(x()));
}

void fBookmarkList::writeRow(QTreeWidgetItem* item, const Bookmark& b) {
    item->setText(0, b.title);
    item->setText(1, b.category);
    item->setText(2, b.date);
    item->setText(3, b.reference);
    item->setText(4, b.fileName);
}

void fBookmarkList::appendRow(const Bookmark& b) {
    auto* item = new QTreeWidgetItem(LV);
    writeRow(item, b);
}

Bookmark fBookmarkList::rowAt(int i) const {
    const QTreeWidgetItem* item = LV->topLevelItem(i);
    return Bookmark{item->text(0), item->text(1), item->text(2), item->text(3), item->text(4)};
}

QVector<Bookmark> fBookmarkList::rows() const {
    QVector<Bookmark> out;
    out.reserve(LV->topLevelItemCount());
    for (int i = 0; i < LV->topLevelItemCount(); ++i)
        out.append(rowAt(i));
    return out;
}

int fBookmarkList::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = LV->selectedItems();
    return selected.isEmpty() ? -1 : LV->indexOfTopLevelItem(selected.first());
}

void fBookmarkList::selectRow(int i) {
    LV->clearSelection();
    if (i < 0 || i >= LV->topLevelItemCount())
        return;
    QTreeWidgetItem* item = LV->topLevelItem(i);
    LV->setCurrentItem(item);
    item->setSelected(true);
    LV->scrollToItem(item);
    LV->setFocus();
}

bool fBookmarkList::requireSelection() {
    if (selectedRow() >= 0)
        return true;
    m_state.dialogs.show(Dialogs::Icon::Information, MessageText::Std(m_state, 492),
                         MessageText::Std(m_state, 501));
    return false;
}

void fBookmarkList::saveList(const QString& context) {
    if (!m_store.Save(rows()))
        TolvaneRoutines::ReportError(m_state.dialogs, PathFileAccess, context,
                                     m_store.listPath());
}

bool fBookmarkList::saveSnapshot(const QString& fileName) {
    const QByteArray rtf = m_pane ? RtfWriter::write(*m_pane->document()) : QByteArray();
    return FileFunctions::writeWholeFile(m_store.snapshotPath(fileName), rtf);
}

bool fBookmarkList::CheckforDup(int editedRow) {
    const int dup = BookmarkStore::FindDuplicate(m_dialog->sTitle(), rows(), editedRow);
    if (dup < 0)
        return false;
    selectRow(dup);
    m_state.dialogs.show(Dialogs::Icon::Information, MessageText::Std(m_state, 490),
                         MessageText::Std(m_state, 4));
    LV->setFocus();
    return true;
}

void fBookmarkList::cmdAdd_Click() {
    m_dialog->setWindowTitle(MessageText::Frm(m_state, 14));
    m_dialog->PrepareForAdd();
    m_dialog->exec();
    if (m_dialog->cancelled() || CheckforDup(-1))
        return;
    const QVector<Bookmark> current = rows();
    const Bookmark b{m_dialog->sTitle(), m_dialog->sCategory(), m_dialog->sDate(),
                     m_dialog->sBookChVs(),
                     BookmarkStore::UniqueFileName(m_dialog->sTitle(), current, -1)};
    if (!saveSnapshot(b.fileName)) {
        TolvaneRoutines::ReportError(m_state.dialogs, PathFileAccess, QStringLiteral("Add Bookmark"),
                                     b.title);
        return;
    }
    appendRow(b);
    saveList(QStringLiteral("Add Bookmark"));
    selectRow(LV->topLevelItemCount() - 1);
}

void fBookmarkList::cmdEdit_Click() {
    if (!requireSelection())
        return;
    const int row = selectedRow();
    const Bookmark old = rowAt(row);
    m_dialog->setWindowTitle(MessageText::Frm(m_state, 15));
    m_dialog->setSTitle(old.title);
    m_dialog->setSCategory(old.category);
    m_dialog->setSDate(old.date);
    m_dialog->setSBookChVs(old.reference);
    m_dialog->exec();
    if (m_dialog->cancelled() || CheckforDup(row))
        return;
    const Bookmark edited{m_dialog->sTitle(), m_dialog->sCategory(), m_dialog->sDate(),
                          m_dialog->sBookChVs(),
                          BookmarkStore::UniqueFileName(m_dialog->sTitle(), rows(), row)};
    if (edited.fileName != old.fileName) {
        const QString from = FileFunctions::resolve(m_store.snapshotPath(old.fileName));
        const QString to = m_store.snapshotFolder() + edited.fileName;
        // No other row owns the new name, so a file already there is a leftover.
        if (!QFile::exists(from) || (QFile::exists(to) && !QFile::remove(to)) ||
            !QFile::rename(from, to)) {
            TolvaneRoutines::ReportError(m_state.dialogs, FileNotFound,
                                         QStringLiteral("Edit Bookmark"), from);
            return;
        }
    }
    writeRow(LV->topLevelItem(row), edited);
    saveList(QStringLiteral("Edit Bookmark"));
    selectRow(row);
}

void fBookmarkList::cmdDelete_Click() {
    if (!requireSelection())
        return;
    const int row = selectedRow();
    const Bookmark b = rowAt(row);
    const Dialogs::Answer answer = m_state.dialogs.show(
        Dialogs::Icon::Question, MessageText::Std(m_state, 491),
        MessageText::Std(m_state, 6, b.title), Dialogs::Buttons::YesNo, Dialogs::Answer::No);
    if (answer == Dialogs::Answer::No)
        return;
    QFile::remove(FileFunctions::resolve(m_store.snapshotPath(b.fileName)));
    delete LV->takeTopLevelItem(row);
    saveList(QStringLiteral("Delete Bookmark"));
    selectRow(0);
}

void fBookmarkList::cmdGoto_Click() {
    if (!requireSelection())
        return;
    const QString path = FileFunctions::resolve(m_store.snapshotPath(rowAt(selectedRow()).fileName));
    QByteArray bytes;
    if (!m_pane || !FileFunctions::readWholeFile(path, bytes)) {
        TolvaneRoutines::ReportError(m_state.dialogs, FileNotFound, QStringLiteral("Load File"),
                                     path);
        return;
    }
    if (!RtfReader::read(bytes, m_pane->document()).isRtf)
        m_pane->setPlainText(Win1252::decode(bytes));
    emit snapshotLoaded(path);
    hide();
}

void fBookmarkList::cmdUpdate_Click() {
    const int row = selectedRow();
    if (row < 0) {
        m_state.dialogs.show(Dialogs::Icon::Information, MessageText::Std(m_state, 492),
                             MessageText::Std(m_state, 5));
        return;
    }
    if (!saveSnapshot(rowAt(row).fileName)) {
        TolvaneRoutines::ReportError(m_state.dialogs, PathFileAccess,
                                     QStringLiteral("Update Bookmark"), rowAt(row).title);
        return;
    }
    LV->setFocus();
    hide();
}

void fBookmarkList::cmdClose_Click() {
    saveList(QStringLiteral("Save Bookmarks"));
    savePlacement();
    hide();
}

void fBookmarkList::LV_ColumnClick(int column) {
    const Qt::SortOrder order = m_sortDescending ? Qt::AscendingOrder : Qt::DescendingOrder;
    m_sortDescending = !m_sortDescending;
    LV->sortItems(column, order);
    LV->setSortingEnabled(false);
    saveList(QStringLiteral("Save Bookmarks"));
}

#include "bookmarks/fMenAdd.h"

#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
QString threeDigits(const QString& text) {
    return QStringLiteral("%1").arg(text.trimmed().toInt(), 3, 10, QLatin1Char('0'));
}
} // namespace

fMenAdd::fMenAdd(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state) {
    setObjectName(QStringLiteral("fMenAdd"));
    setModal(true);
    buildControls();
    fillBooks();
}

void fMenAdd::buildControls() {
    using MessageText::Frm;
    tTitle = named(new QLineEdit(this), "tTitle");
    tDate = named(new QLineEdit(this), "tDate");
    tCategory = named(new QLineEdit(this), "tCategory");
    tCategory->setToolTip(Frm(m_state, 994));
    auto* fields = new QFormLayout;
    fields->addRow(Frm(m_state, 991), tTitle);
    fields->addRow(Frm(m_state, 992), tDate);
    fields->addRow(Frm(m_state, 993), tCategory);

    auto* reference = named(new QGroupBox(Frm(m_state, 995), this), "fraReference");
    cboBook = named(new QComboBox(reference), "cboBook");
    cboBook->setMinimumContentsLength(16);
    tChapter = named(new QLineEdit(reference), "tChapter");
    tVerse = named(new QLineEdit(reference), "tVerse");
    for (QLineEdit* e : {tChapter, tVerse}) {
        e->setValidator(new QIntValidator(0, 255, e));
        e->setMaximumWidth(60);
    }
    auto* refRow = new QFormLayout(reference);
    refRow->addRow(Frm(m_state, 996), cboBook);
    refRow->addRow(Frm(m_state, 997), tChapter);
    refRow->addRow(Frm(m_state, 998), tVerse);

    cmdOK = named(new QPushButton(Frm(m_state, 999), this), "cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = named(new QPushButton(Frm(m_state, 1000), this), "cmdCancel");
    cmdHelp = named(new QPushButton(Frm(m_state, 1001), this), "cmdHelp");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {cmdOK, cmdCancel, cmdHelp})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(reference);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(cmdOK, &QPushButton::clicked, this, &fMenAdd::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &fMenAdd::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &fMenAdd::helpRequested);
}

// The reference names of the loaded book catalogue, in capitals with "_" for spaces, so that
// a reference splits back at its first space.
void fMenAdd::fillBooks() {
    for (const QString& name : m_state.BookRefNames)
        cboBook->addItem(name.toUpper().replace(QLatin1Char(' '), QLatin1Char('_')));
    cboBook->setCurrentIndex(cboBook->count() > 0 ? 0 : -1);
}

QString fMenAdd::sTitle() const { return tTitle->text(); }
void fMenAdd::setSTitle(const QString& v) { tTitle->setText(v); }
QString fMenAdd::sDate() const { return tDate->text(); }
void fMenAdd::setSDate(const QString& v) { tDate->setText(v); }
QString fMenAdd::sCategory() const { return tCategory->text(); }
void fMenAdd::setSCategory(const QString& v) { tCategory->setText(v); }

QString fMenAdd::sBookChVs() const {
    return cboBook->currentText() + QLatin1Char(' ') + threeDigits(tChapter->text()) +
           QLatin1Char(':') + threeDigits(tVerse->text());
}

void fMenAdd::setSBookChVs(const QString& v) {
    const qsizetype space = v.indexOf(QLatin1Char(' '));
    const QString book = space < 0 ? v : v.left(space);
    const QString rest = space < 0 ? QString() : v.mid(space + 1);
    int at = cboBook->findText(book);
    if (at < 0 && !book.isEmpty()) {
        cboBook->addItem(book); // a book of another catalogue stays as it was
        at = cboBook->count() - 1;
    }
    cboBook->setCurrentIndex(at);
    tChapter->setText(rest.section(QLatin1Char(':'), 0, 0));
    tVerse->setText(rest.section(QLatin1Char(':'), 1));
}

void fMenAdd::PrepareForAdd() {
    tTitle->clear();
    tCategory->clear();
    tChapter->clear();
    tVerse->clear();
    tDate->setText(QLocale::c().toString(QDate::currentDate(), m_state.DateFormat));
}

void fMenAdd::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_cancelled = true;
    tTitle->setFocus();
}

void fMenAdd::cmdOK_Click() {
    const QString product = TolvaneRoutines::ProductName();
    if (sTitle().trimmed().isEmpty()) {
        m_state.dialogs.show(Dialogs::Icon::Information, product,
                             MessageText::Std(m_state, 499));
        tTitle->setFocus();
        return;
    }
    if (sTitle().contains(QLatin1Char('"')) || sCategory().contains(QLatin1Char('"'))) {
        m_state.dialogs.show(Dialogs::Icon::Information, product,
                             MessageText::Std(m_state, 500));
        (sTitle().contains(QLatin1Char('"')) ? tTitle : tCategory)->setFocus();
        return;
    }
    accept();
}

void fMenAdd::cmdCancel_Click() {
    reject();
}

void fMenAdd::done(int result) {
    m_cancelled = result != Accepted;
    QDialog::done(result);
}

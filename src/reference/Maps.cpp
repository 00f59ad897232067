#include "reference/Maps.h"

#include "library/ProgramState.h"
#include "library/SettingsKeys.h"
#include "library/SettingsStore.h"
#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/CheckedConnect.h"
#include "reference/MapFiles.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString kPictureName = QStringLiteral("tolvane-map:picture");
} // namespace

Maps::Maps(ProgramState& state, QWidget* parent) : QWidget(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("Maps"));
    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo1->setMinimumContentsLength(8);
    TXT1 = new QTextEdit(this);
    TXT1->setObjectName(QStringLiteral("TXT1"));
    TXT1->setReadOnly(true);

    auto* row = new QHBoxLayout;
    row->addWidget(lbl, 6);
    row->addWidget(Combo1, 4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(row);
    layout->addWidget(TXT1, 1);

    checkedConnect(Combo1, &QComboBox::activated, this, &Maps::Combo1_Click);
}

void Maps::Form_Load() {
    setWindowTitle(MessageText::Frm(m_state, 6, TolvaneRoutines::ProductName()));
    Combo1->addItems(MapFiles::List(m_state));
    if (Combo1->count() == 0) {
        lbl->clear();
        showNothing(MessageText::Std(m_state, 456, m_state.MapsFolder));
        return;
    }
    Combo1->setCurrentIndex(0);
    showMap(Combo1->itemText(0));
}

// The user's choice. Showing a map again on every activation of the window would do
// nothing but cost time, so only a choice shows one.
void Maps::Combo1_Click(int index) {
    if (index < 0)
        return;
    const QString fileName = Combo1->itemText(index);
    showMap(fileName);
    // A copy for the user, only when the options keep maps on the clipboard; with the
    // option off the clipboard is left as the user had it.
    if (!m_picture.isNull() &&
        m_state.settings.readInt(SettingsKeys::Settings, SettingsKeys::AutoClearClip) != 0)
        QGuiApplication::clipboard()->setImage(m_picture);
}

void Maps::showMap(const QString& fileName) {
    lbl->setText(MapFiles::Title(fileName));
    m_picture = MapFiles::Load(m_state, fileName);
    if (m_picture.isNull()) {
        showNothing(MessageText::Std(m_state, 455, fileName));
        return;
    }
    TXT1->clear();
    TXT1->setPlaceholderText(QString());
    QTextDocument* doc = TXT1->document();
    doc->addResource(QTextDocument::ImageResource, QUrl(kPictureName), m_picture);
    // The line is as wide as the picture, so the pane scrolls instead of wrapping it.
    TXT1->setLineWrapMode(QTextEdit::FixedPixelWidth);
    TXT1->setLineWrapColumnOrWidth(m_picture.width() + 2 * int(doc->documentMargin()));
    QTextImageFormat format;
    format.setName(kPictureName);
    format.setWidth(m_picture.width());
    format.setHeight(m_picture.height());
    QTextCursor(doc).insertImage(format);
    TXT1->moveCursor(QTextCursor::Start);
}

void Maps::showNothing(const QString& status) {
    m_picture = QImage();
    TXT1->clear();
    TXT1->setPlaceholderText(status);
}

void Maps::closeEvent(QCloseEvent* event) {
    TXT1->clear();
    event->accept();
}

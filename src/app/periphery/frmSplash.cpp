#include "app/periphery/frmSplash.h"

#include "library/FileFunctions.h"
#include "library/LineReader.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "platform/Win1252.h"

#include <QEventLoop>
#include <QLabel>
#include <QRandomGenerator>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(const ProgramState& state, int milliseconds, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    m_verse = PickVerse(state.MessageFolder + state.FavVersesFile);
    auto* title = new QLabel(TolvaneRoutines::ProductName(), this);
    title->setObjectName(QStringLiteral("lblProduct"));
    QFont f = title->font();
    f.setPointSize(f.pointSize() * 3);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(TolvaneRoutines::VersionText(), this);
    version->setAlignment(Qt::AlignCenter);
    auto* verse = new QLabel(m_verse, this);
    verse->setObjectName(QStringLiteral("lblVerse"));
    verse->setWordWrap(true);
    verse->setAlignment(Qt::AlignCenter);
    QFont vf = verse->font();
    vf.setItalic(true);
    verse->setFont(vf);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 24);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(verse);
    setStyleSheet(QStringLiteral("frmSplash { background: #f6f1e4; border: 2px solid #7a5c2e; }"));
    setFixedWidth(460);
    // Counted from the moment it shows, inside the dialog's own event loop: a timer that
    // ran out before the loop started would leave the splash up for good.
    m_closer.setSingleShot(true);
    m_closer.setInterval(milliseconds);
    connect(&m_closer, &QTimer::timeout, this, &QDialog::accept);
}

void frmSplash::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_closer.start();
}

QString frmSplash::PickVerse(const QString& path) {
    LineReader reader(FileFunctions::resolve(path));
    if (!reader.isOpen())
        return QString();
    QStringList lines;
    QByteArray line;
    while (reader.readLine(line))
        if (!line.trimmed().isEmpty())
            lines << Win1252::decode(line);
    if (lines.isEmpty())
        return QString();
    return lines.at(int(QRandomGenerator::global()->bounded(qsizetype(lines.size()))));
}

void frmSplash::mousePressEvent(QMouseEvent*) { accept(); }
int frmSplash::showUntilClosed() {
    // Not exec(): a short timer can run out while the window is still being shown, before
    // exec's own loop has begun, and exec would then wait for good.
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    setWindowModality(Qt::ApplicationModal);
    show();
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
    return result();
}

#include "app/periphery/frmSplash.h"

#include "library/FileFunctions.h"
#include "library/LineReader.h"
#include "library/ProgramState.h"
#include "library/TolvaneRoutines.h"
#include "library/Win1252.h"

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
    QTimer::singleShot(milliseconds, this, &QDialog::accept);
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

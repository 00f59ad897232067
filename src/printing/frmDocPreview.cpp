#include "printing/frmDocPreview.h"

#include "library/TolvaneRoutines.h"
#include "localisation/MessageText.h"
#include "platform/Named.h"
#include "printing/PageLayout.h"
#include "printing/PreviewScales.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
constexpr int kScrollRange = 1000;

// Hourglass pointer for the length of a step.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void yieldToUser() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
} // namespace

frmDocPreview::frmDocPreview(ProgramState& state, const QTextDocument& document,
                             const QSizeF& pageTwips, const QMarginsF& inches, QWidget* parent)
    : QDialog(parent), m_state(state), m_document(document), m_pageTwips(pageTwips),
      m_inches(inches) {
    setObjectName(QStringLiteral("frmDocPreview"));
    setModal(true);
    buildControls();
    connectControls();
}

frmDocPreview::~frmDocPreview() = default;

void frmDocPreview::buildControls() {
    cboPageNo = named(new QComboBox(this), "cboPageNo");
    txtTotalPages = named(new QLineEdit(this), "txtTotalPages");
    txtTotalPages->setReadOnly(true);
    txtTotalPages->setFocusPolicy(Qt::NoFocus);
    cmdPrevPage = named(new QPushButton(QStringLiteral("<"), this), "cmdPrevPage");
    cmdNextPage = named(new QPushButton(QStringLiteral(">"), this), "cmdNextPage");
    cboScale = named(new QComboBox(this), "cboScale");
    cmdZoomIn = named(new QPushButton(QStringLiteral("+"), this), "cmdZoomIn");
    cmdZoomOut = named(new QPushButton(QStringLiteral("-"), this), "cmdZoomOut");
    cmdPrint = named(new QPushButton(QStringLiteral("Print"), this), "cmdPrint");
    cmdClose = named(new QPushButton(QStringLiteral("Close"), this), "cmdClose");
    for (QPushButton* b : {cmdPrevPage, cmdNextPage, cmdZoomIn, cmdZoomOut})
        b->setFixedWidth(32);
    cmdZoomIn->setToolTip(QStringLiteral("Zoom in"));
    cmdZoomOut->setToolTip(QStringLiteral("Zoom out"));
    cboScale->setToolTip(QStringLiteral("Scale in per cent"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(cboPageNo);
    bar->addWidget(txtTotalPages);
    bar->addWidget(cmdPrevPage);
    bar->addWidget(cmdNextPage);
    bar->addSpacing(12);
    bar->addWidget(cboScale);
    bar->addWidget(cmdZoomIn);
    bar->addWidget(cmdZoomOut);
    bar->addStretch(1);
    bar->addWidget(cmdPrint);
    bar->addWidget(cmdClose);

    Picture = named(new QWidget(this), "Picture");
    Picture->setAutoFillBackground(true);
    QPalette pal = Picture->palette();
    pal.setColor(QPalette::Window, QColor(128, 128, 128));
    Picture->setPalette(pal);
    Picture->setMinimumSize(200, 200);
    Pic1 = named(new QLabel(Picture), "Pic1");
    Pic2 = named(new QLabel(Picture), "Pic2");
    Pic3 = named(new QLabel(Picture), "Pic3");
    Pic4 = named(new QLabel(Picture), "Pic4");
    Pic5 = named(new QLabel(Picture), "Pic5");
    for (QLabel* p : {Pic1, Pic2, Pic3, Pic4, Pic5})
        p->hide();

    HScroll1 = named(new QScrollBar(Qt::Horizontal, this), "HScroll1");
    VScroll1 = named(new QScrollBar(Qt::Vertical, this), "VScroll1");
    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(Picture, 0, 0);
    grid->addWidget(VScroll1, 0, 1);
    grid->addWidget(HScroll1, 1, 0);

    auto* top = new QVBoxLayout(this);
    top->addLayout(bar);
    top->addLayout(grid, 1);
    resize(760, 860);
}

void frmDocPreview::connectControls() {
    connect(cboPageNo, QOverload<int>::of(&QComboBox::activated), this,
            &frmDocPreview::cboPageNo_Click);
    connect(cmdPrevPage, &QPushButton::clicked, this, &frmDocPreview::cmdPrevPage_Click);
    connect(cmdNextPage, &QPushButton::clicked, this, &frmDocPreview::cmdNextPage_Click);
    connect(cboScale, QOverload<int>::of(&QComboBox::activated), this,
            &frmDocPreview::cboScale_Click);
    connect(cmdZoomIn, &QPushButton::clicked, this, &frmDocPreview::cmdZoomIn_Click);
    connect(cmdZoomOut, &QPushButton::clicked, this, &frmDocPreview::cmdZoomOut_Click);
    connect(HScroll1, &QScrollBar::valueChanged, this, &frmDocPreview::HScroll1_Change);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmDocPreview::VScroll1_Change);
    connect(cmdPrint, &QPushButton::clicked, this, &frmDocPreview::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDocPreview::cmdClose_Click);
}

QLabel* frmDocPreview::picture(int zoomState) const {
    switch (zoomState) {
    case 1:
        return Pic1;
    case 2:
        return Pic2;
    case 3:
        return Pic3;
    case 4:
        return Pic4;
    case 5:
        return Pic5;
    default:
        return nullptr;
    }
}

int frmDocPreview::pageCount() const { return m_layout ? m_layout->pageCount() : 0; }

bool frmDocPreview::run() {
    Form_Load();
    exec();
    return m_printRequested;
}

void frmDocPreview::Form_Load() {
    BusyCursor busy;
    setWindowTitle(MessageText::Frm(m_state, 7, TolvaneRoutines::ProductName()));
    m_printRequested = false;

    m_layout = std::make_unique<PageLayout>(m_document, m_pageTwips, m_inches);
    m_picX = QImage(m_layout->pixelSize(logicalDpiX(), logicalDpiY()), QImage::Format_RGB32);

    const int n = m_layout->pageCount();
    txtTotalPages->setText(QStringLiteral("Total %1 pages").arg(n));
    cboPageNo->clear();
    for (int i = 1; i <= n; ++i)
        cboPageNo->addItem(QString::number(i));
    cboPageNo->setCurrentIndex(0);
    m_page = 1;
    setPageButtons();

    HScroll1->setRange(0, kScrollRange);
    VScroll1->setRange(0, kScrollRange);
    cboScale->clear();
    cboScale->addItems(PreviewScales::Entries());
    m_zoom = PreviewScales::kSmallest;
    cboScale->setCurrentIndex(m_zoom - 1);
    setZoomButtons();

    drawPage();
    makeDisplayImages();
    showCurrentImage();
}

// ---------------------------------------------------------------------------------------
// Pages

void frmDocPreview::setPageButtons() {
    const int n = pageCount();
    cmdPrevPage->setEnabled(n > 1 && m_page > 1);
    cmdNextPage->setEnabled(n > 1 && m_page < n);
}

void frmDocPreview::cboPageNo_Click() { goToPage(cboPageNo->currentIndex() + 1); }

void frmDocPreview::cmdPrevPage_Click() {
    if (pageCount() <= 1 || m_page <= 1)
        return;
    cboPageNo->setCurrentIndex(m_page - 2);
    goToPage(m_page - 1);
}

void frmDocPreview::cmdNextPage_Click() {
    if (pageCount() <= 1 || m_page >= pageCount())
        return;
    cboPageNo->setCurrentIndex(m_page);
    goToPage(m_page + 1);
}

void frmDocPreview::goToPage(int page) {
    if (!m_layout || page < 1 || page > pageCount())
        return;
    m_page = page;
    setPageButtons();
    BusyCursor busy;
    drawPage();
    makeDisplayImages();
    showCurrentImage();
}

void frmDocPreview::drawPage() {
    m_picX.fill(Qt::white);
    QPainter p(&m_picX);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    m_layout->paintPage(p, m_page - 1, logicalDpiX(), logicalDpiY());
}

bool frmDocPreview::makeDisplayImages() {
    for (int z = 1; z <= PreviewScales::kCount; ++z) {
        const QImage scaled =
            m_picX.scaled(PreviewScales::ImageSize(m_picX.size(), z), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
        if (scaled.isNull())
            return false; // out of memory: the images made so far stay
        QLabel* pic = picture(z);
        pic->setPixmap(QPixmap::fromImage(scaled));
        pic->resize(scaled.size());
        yieldToUser();
    }
    return true;
}

// ---------------------------------------------------------------------------------------
// Zoom and scrolling

void frmDocPreview::setZoomButtons() {
    cmdZoomIn->setEnabled(m_zoom > PreviewScales::kLargest);
    cmdZoomOut->setEnabled(m_zoom < PreviewScales::kSmallest);
}

void frmDocPreview::cboScale_Click() {
    m_zoom = cboScale->currentIndex() + 1;
    setZoomButtons();
    showCurrentImage();
}

void frmDocPreview::cmdZoomIn_Click() {
    if (m_zoom <= PreviewScales::kLargest)
        return;
    cboScale->setCurrentIndex(m_zoom - 2);
    cboScale_Click();
}

void frmDocPreview::cmdZoomOut_Click() {
    if (m_zoom >= PreviewScales::kSmallest)
        return;
    cboScale->setCurrentIndex(m_zoom);
    cboScale_Click();
}

void frmDocPreview::showCurrentImage() {
    for (int z = 1; z <= PreviewScales::kCount; ++z)
        picture(z)->setVisible(z == m_zoom);
    placeImages();
}

void frmDocPreview::placeImages() {
    for (int z = 1; z <= PreviewScales::kCount; ++z)
        picture(z)->move(-HScroll1->value(), -VScroll1->value());
}

void frmDocPreview::HScroll1_Change() { placeImages(); }

void frmDocPreview::VScroll1_Change() { placeImages(); }

// ---------------------------------------------------------------------------------------
// Closing

void frmDocPreview::cmdPrint_Click() {
    m_printRequested = true;
    accept();
}

void frmDocPreview::cmdClose_Click() { reject(); }

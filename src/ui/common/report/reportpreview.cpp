#include "reportpreview.h"

#include "reportservice.h"

#include <QAction>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

namespace tavolex::ui::report {

using namespace Qt::Literals::StringLiterals;

ReportPreview::ReportPreview(const ReportDocument& document, QWidget* parent)
    : QDialog(parent), m_document(document), m_printer(QPrinter::HighResolution) {
    setObjectName(u"ReportPreview"_s);
    setWindowTitle(u" Tavolex - Anteprima di stampa"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setModal(true);
    m_printer.setPageLayout(m_document.pageLayout());

    auto* bar = new QToolBar(this);
    bar->setObjectName(u"barAnteprima"_s);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto add = [this, bar](const QString& name, const QString& theme, const QString& text,
                           const QKeySequence& key) {
        QAction* action = bar->addAction(QIcon::fromTheme(theme), text);
        action->setObjectName(name);
        action->setShortcut(key);
        addAction(action);
        return action;
    };
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(u"preview"_s);
    m_preview->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_preview->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        QPainter painter(printer);
        m_document.paintPages(painter, *printer, 0, m_document.pageCount() - 1);
    });

    connect(add(u"actStampa"_s, u"document-print"_s, u"Stampa"_s, QKeySequence::Print),
            &QAction::triggered, this, &ReportPreview::printReport);
    bar->addSeparator();
    connect(add(u"actZoomIn"_s, u"zoom-in"_s, u"Ingrandisci"_s, QKeySequence::ZoomIn),
            &QAction::triggered, m_preview, [this] { m_preview->zoomIn(); });
    connect(add(u"actZoomOut"_s, u"zoom-out"_s, u"Riduci"_s, QKeySequence::ZoomOut),
            &QAction::triggered, m_preview, [this] { m_preview->zoomOut(); });
    connect(add(u"actAdattaLarghezza"_s, u"zoom-fit-width"_s, u"Adatta alla larghezza"_s, {}),
            &QAction::triggered, m_preview, &QPrintPreviewWidget::fitToWidth);
    connect(add(u"actPaginaIntera"_s, u"zoom-fit-best"_s, u"Pagina intera"_s, {}),
            &QAction::triggered, m_preview, &QPrintPreviewWidget::fitInView);
    bar->addSeparator();
    m_fullScreen = add(u"actSchermoIntero"_s, u"view-fullscreen"_s, u"Schermo intero"_s,
                       QKeySequence(Qt::Key_F11));
    m_fullScreen->setCheckable(true);
    connect(m_fullScreen, &QAction::triggered, this, &ReportPreview::toggleFullScreen);
    bar->addSeparator();
    connect(add(u"actChiudi"_s, u"window-close"_s, u"Chiudi"_s, {}), &QAction::triggered, this,
            &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(qMin(available.width(), 1000), available.height() * 9 / 10);
}

void ReportPreview::printReport() {
    print(this, m_document);
}

void ReportPreview::toggleFullScreen() {
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    m_fullScreen->setChecked(isFullScreen());
}

} // namespace tavolex::ui::report

#pragma once

#include "reportdocument.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QPrintPreviewWidget;

namespace tavolex::ui::report {

// Modal preview of a prepared report. It offers print, zoom, full screen and close
// only: the pages cannot be edited or set up differently from the template.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(const ReportDocument& document, QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void printReport();
    void toggleFullScreen();

    ReportDocument m_document;
    QPrinter m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
    QAction* m_fullScreen = nullptr;
};

} // namespace tavolex::ui::report

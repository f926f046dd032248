#include "ui/output/PrinterPage.h"

#include "core/Settings.h"
#include "core/SettingsKeys.h"

#include <QPageLayout>
#include <QPagedPaintDevice>

PrintGeometry::PrinterMetrics PrinterPage::Metrics(const QPagedPaintDevice& printer)
{
    const int resolution = printer.logicalDpiX();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(resolution);
    const QRect printable = layout.paintRectPixels(resolution);
    return {printer.width(),
            printer.height(),
            printer.logicalDpiX(),
            printer.logicalDpiY(),
            printable.left() - paper.left(),
            printable.top() - paper.top()};
}

PrintGeometry::Margins PrinterPage::Margins(const Settings& settings,
                                            const PrintGeometry::PrinterMetrics& metrics)
{
    using SettingsKeys::LeftMargin;
    using SettingsKeys::TopMargin;
    const PrintGeometry::Margins read{
        PrintGeometry::MarginFromText(settings.GetString(LeftMargin.name, LeftMargin.defaultValue)),
        PrintGeometry::MarginFromText(settings.GetString(TopMargin.name, TopMargin.defaultValue))};
    return PrintGeometry::ClampMargins(read, metrics);
}

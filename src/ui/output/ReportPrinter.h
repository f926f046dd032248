#pragma once

#include "core/PrintGeometry.h"

#include <QObject>
#include <QString>

#include <string_view>
#include <vector>

class Library;
class PhotoRecord;
class Prompter;
class QPainter;
class QPrinter;
class Settings;

// Print report: the listed photos as a catalogue, each with a thumbnail and its
// texts, under a heading naming the library, with page numbers at the foot.
class ReportPrinter : public QObject {
    Q_OBJECT
  public:
    static constexpr std::string_view kHeading = "Quillery Library";
    static constexpr std::string_view kNoFont = "Unable to create printer font, using default";

    ReportPrinter(const Library& library, const Settings& settings, Prompter& prompter,
                  QObject* parent = nullptr);

    // Prints `photos` in their order; the number of pages, 0 when the printer could
    // not be started (which is told). An entry taller than a page gets a page of its
    // own and is cut at its foot; a photo whose picture cannot be read prints its
    // texts alone.
    int Print(QPrinter& printer, const std::vector<const PhotoRecord*>& photos);

  Q_SIGNALS:
    // "Page N being printed" as each page gets its headings; empty at the end.
    void statusText(const QString& text);

  private:
    const Library& m_library;
    const Settings& m_settings;
    Prompter& m_prompter;
};

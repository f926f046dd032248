#include "app/FirstPaintReport.h"

#include "ui/browse/PhotoList.h"

#include <QByteArray>

#include <cstdio>
#include <ctime>

void FirstPaintReport::Arm(const PhotoList& list)
{
    const QByteArray path = qgetenv(kVariable);
    if (path.isEmpty()) return;
    QObject::connect(
        &list, &PhotoList::rowsPainted, &list, [path = path.toStdString()] { WriteNow(path); },
        Qt::SingleShotConnection);
}

bool FirstPaintReport::WriteNow(const std::string& path)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    const bool written =
        std::fprintf(file, "%lld.%09ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec) > 0;
    return std::fclose(file) == 0 && written;
}

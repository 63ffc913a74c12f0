#include "RecentFiles.h"

#include <QDir>
#include <QSettings>

namespace {
const char kGroup[] = "Recent File List";
}

RecentFiles::RecentFiles() {
    QSettings settings;
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (int i = 1; i <= kSize; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path)) m_files.append(path);
    }
}

void RecentFiles::Add(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    m_files.removeAll(clean);
    m_files.prepend(clean);
    while (m_files.size() > kSize) m_files.removeLast();
    Store();
}

void RecentFiles::Remove(const QString& path) {
    m_files.removeAll(QDir::cleanPath(path));
    Store();
}

void RecentFiles::Store() const {
    QSettings settings;
    settings.remove(QString::fromLatin1(kGroup));
    settings.beginGroup(QString::fromLatin1(kGroup));
    for (int i = 0; i < m_files.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), m_files[i]);
}

#pragma once

#include <QStringList>

// The four files opened or saved last, newest first, kept between runs in
// the application's settings.
class RecentFiles {
public:
    static constexpr int kSize = 4;

    RecentFiles();
    const QStringList& Files() const { return m_files; }
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store() const;
    QStringList m_files;
};

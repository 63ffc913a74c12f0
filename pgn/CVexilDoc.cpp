#include "CVexilDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>
#include <sstream>

#include "PgnReader.h"
#include "PgnWriter.h"
#include "SaveCheck.h"

CVexilDoc::CVexilDoc(QObject* parent) : QObject(parent), m_game(std::make_unique<CGameRecord>()) {
    m_game->SetStartPosition();
}

CVexilDoc::~CVexilDoc() = default;

bool CVexilDoc::OnNewDocument() {
    m_path.clear();
    SetModified(false);
    m_game->SetStartPosition();
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        m_game->SetTag(tag, tag == CGameRecord::Result ? "*" : "?");
    m_game->m_flipped = 0;
    return true;
}

bool CVexilDoc::Load(const QString& path, QString& message) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("Failed to open document.");
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        message = QStringLiteral("Failed to open document.");
        return false;
    }
    const PgnReadResult result =
        ReadPgnFromString(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                          *m_game);
    if (!result.ok) {
        message = QString::fromStdString(result.message);
        return false;
    }
    m_holdsMoreGames = result.moreGames;
    m_path = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    SetModified(false);
    return true;
}

CVexilDoc::SaveResult CVexilDoc::Save(const QString& path) {
    const std::string bytes = WritePgnToString(*m_game);
    const QFileInfo target(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open()) return SaveResult::WriteFailed;
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush() || ::fsync(file.handle()) != 0)
        return SaveResult::WriteFailed;

    // Read the new file back before it replaces anything.
    if (!file.seek(0)) return SaveResult::WriteFailed;
    const QByteArray written = file.readAll();
    auto reread = std::make_unique<CGameRecord>();
    std::string difference;
    const PgnReadResult result = ReadPgnFromString(
        std::string(written.constData(), static_cast<std::size_t>(written.size())), *reread);
    if (!result.ok || !SameGameAfterSave(*m_game, *reread, difference))
        return SaveResult::WouldLoseData;

    file.setPermissions(target.exists() ? QFile::permissions(path)
                                        : QFile::ReadOwner | QFile::WriteOwner |
                                              QFile::ReadGroup | QFile::ReadOther);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return SaveResult::WriteFailed;
    file.setAutoRemove(false);  // it is the game's file now
    m_path = target.absoluteFilePath();
    m_holdsMoreGames = false;
    SetTitle(target.fileName());
    SetModified(false);
    return SaveResult::Saved;
}

void CVexilDoc::SetTitle(const QString& title) {
    if (title == m_title) return;
    m_title = title;
    emit TitleChanged(title);
}

void CVexilDoc::SetModified(bool modified) {
    if (modified == m_modified) return;
    m_modified = modified;
    emit ModifiedChanged(modified);
}

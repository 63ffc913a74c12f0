#include "CVexilDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <sstream>

#include "PgnReader.h"
#include "PgnWriter.h"

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

bool CVexilDoc::Save(const QString& path) {
    const std::string bytes = WritePgnToString(*m_game);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
    m_path = QFileInfo(path).absoluteFilePath();
    m_holdsMoreGames = false;
    SetTitle(QFileInfo(path).fileName());
    SetModified(false);
    return true;
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

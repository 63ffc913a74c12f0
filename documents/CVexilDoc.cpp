#include "CVexilDoc.h"

#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "GameIndex.h"
#include "PgnReader.h"
#include "PgnWriter.h"
#include "SaveCheck.h"

namespace {

std::string ToStd(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// "name.pgn", or "name.pgn [3]" for the third game of a file of several.
QString TitleOf(const QString& path, int number) {
    const QString name = QFileInfo(path).fileName();
    return number > 0 ? QStringLiteral("%1 [%2]").arg(name).arg(number) : name;
}

// The writer ends its lines with CR LF; a game put back among games whose
// lines end with LF alone takes their ends.
std::string WithLineEndsOf(const std::string& game, const std::string& among) {
    if (among.find("\r\n") != std::string::npos || among.find('\n') == std::string::npos)
        return game;
    std::string text;
    for (std::size_t i = 0; i < game.size(); ++i)
        if (!(game[i] == '\r' && i + 1 < game.size() && game[i + 1] == '\n')) text += game[i];
    return text;
}

// Whether `written`, `original` with game `place` replaced by `gameSize`
// bytes, keeps every other byte and lists the same games, that one where it
// was put.
bool OthersKept(const std::string& original, const std::string& written,
                const CVexilDoc::Placement& place, std::size_t gameSize) {
    const std::size_t end = place.begin + gameSize;
    if (written.size() != original.size() - (place.end - place.begin) + gameSize ||
        written.compare(0, place.begin, original, 0, place.begin) != 0 ||
        written.compare(end, std::string::npos, original, place.end, std::string::npos) != 0)
        return false;
    const GameIndex before(original), after(written);
    const auto shift = static_cast<std::ptrdiff_t>(end) - static_cast<std::ptrdiff_t>(place.end);
    if (before.Games().size() != after.Games().size()) return false;
    for (std::size_t i = 0; i < before.Games().size(); ++i) {
        const IndexedGame& was = before.Games()[i];
        const IndexedGame& is = after.Games()[i];
        const bool own = static_cast<int>(i) + 1 == place.number;
        const std::ptrdiff_t by = was.begin >= place.end ? shift : 0;
        if (own ? is.begin != place.begin || is.end != end
                : static_cast<std::ptrdiff_t>(is.begin) !=
                      static_cast<std::ptrdiff_t>(was.begin) + by)
            return false;
    }
    return true;
}

}  // namespace

QString CanonicalPath(const QString& path) {
    const QFileInfo file(path);
    const QString canonical = file.canonicalFilePath();
    if (!canonical.isEmpty()) return canonical;
    // A file not written yet: its folder's real path, so a link to the folder
    // still names one file.
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? file.absoluteFilePath() : folder + QLatin1Char('/') + file.fileName();
}

CVexilDoc::CVexilDoc(QObject* parent) : QObject(parent), m_game(std::make_unique<CGameRecord>()) {
    m_game->SetStartPosition();
    m_history.Reset(*m_game);
}

CVexilDoc::~CVexilDoc() = default;

bool CVexilDoc::OnNewDocument() {
    m_path.clear();
    SetModified(false);
    m_game->SetStartPosition();
    for (int tag = 0; tag < CGameRecord::kTagCount; ++tag)
        m_game->SetTag(tag, tag == CGameRecord::Result ? "*" : "?");
    m_game->m_flipped = 0;
    StartHistory();
    return true;
}

LoadResult CVexilDoc::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return CannotReadFile();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return CannotReadFile();
    auto game = std::make_unique<CGameRecord>();
    const LoadResult result = LoadGameOfFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), 0, *game);
    if (result.Loaded()) TakeGame(path, std::move(*game), result);
    return result;
}

void CVexilDoc::TakeGame(const QString& path, CGameRecord&& game, const LoadResult& read) {
    *m_game = std::move(game);
    m_holdsMoreGames = read.moreGames;
    m_path = CanonicalPath(path);
    SetTitle(QFileInfo(m_path).fileName());
    SetModified(false);
    StartHistory();
}

void CVexilDoc::TakeUntitledGame(CGameRecord&& game, const QString& title) {
    *m_game = std::move(game);
    m_holdsMoreGames = false;
    m_place = {};
    m_path.clear();
    SetTitle(title);
    StartHistory();
    m_history.ForgetSaved();
    SetModified(true);
}

LoadResult CVexilDoc::LoadGame(const QString& path, std::string_view game, const Placement& place) {
    // The game's own bytes, as the list found them: read as a file of one game.
    const LoadResult result = LoadGameOfFile(game, 0, *m_game);
    if (!result.Loaded()) return result;
    m_holdsMoreGames = false;
    m_place = place;
    m_path = CanonicalPath(path);
    SetTitle(TitleOf(m_path, place.number));
    SetModified(false);
    StartHistory();
    return result;
}

LoadResult CVexilDoc::LoadRecovered(std::string_view game, const Origin& origin) {
    const LoadResult result = LoadGameOfFile(game, 0, *m_game);
    if (!result.Loaded()) return result;
    m_path = origin.path;
    m_place = origin.place;
    m_holdsMoreGames = origin.holdsMoreGames;
    SetTitle(origin.title);
    StartHistory();
    m_history.ForgetSaved();
    SetModified(true);
    return result;
}

bool CVexilDoc::FileChanged() const {
    if (m_place.number == 0) return false;
    const QFileInfo file(m_path);
    return file.size() != m_place.fileSize || file.lastModified() != m_place.fileTime;
}

void CVexilDoc::FollowSave(const Placement& before, std::size_t from, std::ptrdiff_t shift,
                           const Placement& after) {
    if (m_place.number == 0 || m_place.fileSize != before.fileSize ||
        m_place.fileTime != before.fileTime)
        return;
    if (m_place.begin >= from) {
        m_place.begin += shift;
        m_place.end += shift;
    }
    m_place.fileSize = after.fileSize;
    m_place.fileTime = after.fileTime;
}

CVexilDoc::SaveResult CVexilDoc::Save(const QString& path) {
    m_saveFailure.clear();
    // A link is followed: the file it names is the one replaced, and the
    // link stays a link.
    const QFileInfo target(CanonicalPath(path));
    const bool inPlace = m_place.number > 0 && target.absoluteFilePath() == m_path;
    std::string game = WritePgnToString(*m_game);
    std::string bytes = game;
    std::string original;
    if (inPlace) {
        if (FileChanged()) return SaveResult::FileChanged;
        QFile old(m_path);
        if (!old.open(QIODevice::ReadOnly)) return Failed(old.errorString());
        original = ToStd(old.readAll());
        if (old.error() != QFileDevice::NoError) return Failed(old.errorString());
        if (original.size() != static_cast<std::size_t>(m_place.fileSize) ||
            m_place.end > original.size())
            return SaveResult::FileChanged;
        game = WithLineEndsOf(game, original.substr(m_place.begin, m_place.end - m_place.begin));
        bytes = original.substr(0, m_place.begin) + game + original.substr(m_place.end);
    }
    if (!QFileInfo(target.absolutePath()).isDir())
        return Failed(QString::fromLocal8Bit(std::strerror(ENOENT)));
    // Only a plain file is replaced: never a folder, a device or a pipe.
    if (target.exists() && !target.isFile())
        return Failed(target.isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR))
                                     : QStringLiteral("Not a plain file"));
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open()) return Failed(file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) return Failed(file.errorString());
    if (::fsync(file.handle()) != 0) return Failed(QString::fromLocal8Bit(std::strerror(errno)));

    // Read the new file back before it replaces anything.
    if (!file.seek(0)) return Failed(file.errorString());
    const std::string written = ToStd(file.readAll());
    if (inPlace && !OthersKept(original, written, m_place, game.size()))
        return SaveResult::WouldLoseData;
    auto reread = std::make_unique<CGameRecord>();
    std::string difference;
    const PgnReadResult result =
        ReadPgnFromString(inPlace ? written.substr(m_place.begin, game.size()) : written, *reread);
    if (!result.ok || !SameGameAfterSave(*m_game, *reread, difference))
        return SaveResult::WouldLoseData;

    file.setPermissions(target.exists() ? QFile::permissions(target.absoluteFilePath())
                                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                              QFile::ReadOther);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return Failed(QString::fromLocal8Bit(std::strerror(errno)));
    file.setAutoRemove(false);  // it is the game's file now
    m_path = target.absoluteFilePath();
    m_holdsMoreGames = false;
    if (inPlace) {
        const QFileInfo saved(m_path);
        m_place.end = m_place.begin + game.size();
        m_place.fileSize = saved.size();
        m_place.fileTime = saved.lastModified();
    } else {
        m_place = Placement();
    }
    SetTitle(TitleOf(m_path, m_place.number));
    m_history.MarkSaved();
    SetModified(false);
    return SaveResult::Saved;
}

CVexilDoc::SaveResult CVexilDoc::Failed(const QString& reason) {
    m_saveFailure = reason;
    return SaveResult::WriteFailed;
}

void CVexilDoc::PublishGame(const CGameRecord& game, const std::string& step,
                            const std::string& group) {
    m_game->Assign(game);
    m_history.Record(*m_game, step, group);
    SetModified(!m_history.AtSaved());
    emit HistoryChanged();
}

bool CVexilDoc::Undo() {
    return Restored(m_history.Undo(*m_game));
}

bool CVexilDoc::Redo() {
    return Restored(m_history.Redo(*m_game));
}

bool CVexilDoc::Restored(bool stepped) {
    if (!stepped) return false;
    SetModified(!m_history.AtSaved());
    emit GameRestored();
    emit HistoryChanged();
    return true;
}

void CVexilDoc::StartHistory() {
    // A game kept open holds what it has, not the room grown while reading it.
    m_game->m_ply.ShrinkToWritten();
    m_history.Reset(*m_game);
    emit HistoryChanged();
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

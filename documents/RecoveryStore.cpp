#include "RecoveryStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <vector>

#include "CVexilDoc.h"
#include "DocumentManager.h"
#include "GameFile.h"
#include "PgnWriter.h"
#include "UserPrompts.h"

namespace {

const char kMagic[] = "Ravelin recovery 1";
const char kCannotWrite[] =
    "Ravelin cannot keep recovery copies of your unsaved games in %1: %2. Until this is mended, "
    "only saving keeps your changes safe.";
const char kDamaged[] = "A recovery copy could not be read. It was kept aside as %1.";

QByteArray Encoded(const QString& text) {
    return QUrl::toPercentEncoding(text);
}

QString Decoded(const QByteArray& text) {
    return QUrl::fromPercentEncoding(text);
}

// The copy: a few lines of where the game came from, an empty line, then the
// game as Ravelin saves it.
QByteArray CopyText(const CVexilDoc::Origin& origin, const CGameRecord& game) {
    QByteArray text = QByteArray(kMagic) + '\n';
    text += "path=" + Encoded(origin.path) + '\n';
    text += "title=" + Encoded(origin.title) + '\n';
    text += "number=" + QByteArray::number(origin.place.number) + '\n';
    text += "begin=" + QByteArray::number(qulonglong(origin.place.begin)) + '\n';
    text += "end=" + QByteArray::number(qulonglong(origin.place.end)) + '\n';
    text += "size=" + QByteArray::number(origin.place.fileSize) + '\n';
    text += "time=" +
            QByteArray::number(origin.place.fileTime.isValid()
                                   ? origin.place.fileTime.toMSecsSinceEpoch()
                                   : qint64(-1)) +
            '\n';
    text += "more=" + QByteArray(origin.holdsMoreGames ? "1" : "0") + "\n\n";
    const std::string written = WritePgnToString(game);
    text.append(written.data(), static_cast<qsizetype>(written.size()));
    return text;
}

struct Copy {
    QString file;
    CVexilDoc::Origin origin;
    QByteArray game;
};

// Reads a copy's lines; false for anything that is not one.
bool ReadCopy(const QString& file, Copy& copy) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray text = in.readAll();
    const qsizetype blank = text.indexOf("\n\n");
    if (blank < 0) return false;
    const QList<QByteArray> lines = text.left(blank).split('\n');
    if (lines.isEmpty() || lines.first() != kMagic) return false;
    QHash<QByteArray, QByteArray> fields;
    for (const QByteArray& line : lines.mid(1)) {
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0) return false;
        fields.insert(line.left(equals), line.mid(equals + 1));
    }
    bool ok[6] = {};
    copy.file = file;
    copy.origin.path = Decoded(fields.value("path"));
    copy.origin.title = Decoded(fields.value("title"));
    copy.origin.place.number = fields.value("number").toInt(&ok[0]);
    copy.origin.place.begin = fields.value("begin").toULongLong(&ok[1]);
    copy.origin.place.end = fields.value("end").toULongLong(&ok[2]);
    copy.origin.place.fileSize = fields.value("size").toLongLong(&ok[3]);
    const qint64 time = fields.value("time").toLongLong(&ok[4]);
    if (time >= 0) copy.origin.place.fileTime = QDateTime::fromMSecsSinceEpoch(time);
    copy.origin.holdsMoreGames = fields.value("more").toInt(&ok[5]) != 0;
    copy.game = text.mid(blank + 2);
    for (bool fine : ok)
        if (!fine) return false;
    return copy.origin.place.number >= 0 && copy.origin.place.begin <= copy.origin.place.end;
}

}  // namespace

RecoveryStore::RecoveryStore(DocumentManager* documents, QObject* parent)
    : QObject(parent),
      m_documents(documents),
      m_folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
               QStringLiteral("/recovery")) {
    // The process and its start name the instance, so a later process that
    // is given the same number never takes a dead one's copies for its own.
    const QString instance = QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QDateTime::currentMSecsSinceEpoch());
    setObjectName(instance);
    m_writer.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { WriteDue(false); });
    connect(documents, &DocumentManager::DocumentAdded, this, &RecoveryStore::Follow);
}

RecoveryStore::~RecoveryStore() {
    m_writer.waitForDone();
}

QString RecoveryStore::CopyPath(const CVexilDoc* document) const {
    return QStringLiteral("%1/%2.%3.pgn")
        .arg(m_folder, objectName())
        .arg(m_numbers.value(document));
}

void RecoveryStore::ClaimInstance() {
    // Tried again before every copy until it holds: a folder that could not
    // be made at first may be made later.
    if (m_lock != nullptr || !QDir().mkpath(m_folder)) return;
    auto lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + objectName() +
                                            QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) m_lock = std::move(lock);
}

void RecoveryStore::Follow(CVexilDoc* document) {
    m_numbers.insert(document, m_nextNumber++);
    connect(document, &CVexilDoc::HistoryChanged, this, [this, document] { Changed(document); });
    connect(document, &CVexilDoc::ModifiedChanged, this, [this, document] { Changed(document); });
    connect(document, &QObject::destroyed, this, &RecoveryStore::Remove);
    Changed(document);
}

void RecoveryStore::Changed(CVexilDoc* document) {
    if (!document->IsModified()) {
        m_due.remove(document);
        const QString copy = CopyPath(document);
        m_writer.start([copy] { QFile::remove(copy); });
        return;
    }
    m_due.insert(document);
    // Started once, not again on every key, so a copy is never more than
    // the delay behind the game.
    if (!m_timer.isActive()) m_timer.start(kDelayMs);
}

void RecoveryStore::WriteDue(bool wait) {
    m_timer.stop();
    const QSet<CVexilDoc*> due = m_due;
    m_due.clear();
    for (CVexilDoc* document : due) Write(document);
    if (wait) Finish();
}

void RecoveryStore::Finish() {
    m_writer.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void RecoveryStore::Write(CVexilDoc* document) {
    ClaimInstance();
    auto game = std::make_shared<const CGameRecord>(document->Game());
    const CVexilDoc::Origin origin = document->GetOrigin();
    const QString folder = m_folder;
    const QString path = CopyPath(document);
    const QPointer<RecoveryStore> store(this);
    m_writer.start([game, origin, folder, path, store] {
        QString failure;
        QSaveFile file(path);
        if (!QDir().mkpath(folder)) {
            failure = QStringLiteral("the folder cannot be made");
        } else {
            const QByteArray text = CopyText(origin, *game);
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() ||
                !file.commit())
                failure = file.errorString();
        }
        if (store.isNull()) return;
        QMetaObject::invokeMethod(
            store.data(),
            [store, failure] {
                if (store.isNull()) return;
                if (failure.isEmpty())
                    store->m_failureTold = false;
                else
                    store->Failed(failure);
            },
            Qt::QueuedConnection);
    });
}

void RecoveryStore::Remove(const QObject* document) {
    // Closed without saving: its changes were given up.
    m_due.remove(static_cast<CVexilDoc*>(const_cast<QObject*>(document)));
    const QString copy = CopyPath(static_cast<const CVexilDoc*>(document));
    m_writer.start([copy] { QFile::remove(copy); });
    m_numbers.remove(document);
}

void RecoveryStore::Failed(const QString& reason) {
    if (m_failureTold) return;
    m_failureTold = true;
    Prompts().Warn(
        QString::fromLatin1(kCannotWrite).arg(QDir::toNativeSeparators(m_folder), reason));
}

int RecoveryStore::OfferRecovery() {
    const QDir folder(m_folder);
    if (!folder.exists()) return 0;
    // The instances that ended: their locks are free, and taken here until
    // their copies are dealt with, so no other instance takes them too.
    std::vector<std::unique_ptr<QLockFile>> ended;
    QStringList instances;
    for (const QString& name : folder.entryList({QStringLiteral("*.lock")}, QDir::Files)) {
        const QString instance = name.chopped(5);
        if (instance == objectName()) continue;
        auto lock = std::make_unique<QLockFile>(folder.filePath(name));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue;  // still running
        instances.append(instance);
        ended.push_back(std::move(lock));
    }
    std::vector<Copy> copies;
    QStringList damaged;
    for (const QString& name : folder.entryList({QStringLiteral("*.pgn")}, QDir::Files)) {
        const QString instance = name.section(QLatin1Char('.'), 0, 0);
        const bool locked = folder.exists(instance + QStringLiteral(".lock"));
        if (instance == objectName() || (locked && !instances.contains(instance))) continue;
        Copy copy;
        if (ReadCopy(folder.filePath(name), copy)) {
            copies.push_back(copy);
        } else {
            const QString aside = folder.filePath(name + QStringLiteral(".damaged"));
            QFile::remove(aside);
            QFile::rename(folder.filePath(name), aside);
            damaged.append(QDir::toNativeSeparators(aside));
        }
    }
    int opened = 0;
    if (!copies.empty()) {
        const int count = static_cast<int>(copies.size());
        const QString text = count == 1
                                 ? QStringLiteral(
                                       "Ravelin can recover 1 game that was not saved when it last "
                                       "stopped. Recover it, or discard it?")
                                 : QStringLiteral(
                                       "Ravelin can recover %1 games that were not saved when it "
                                       "last stopped. Recover them, or discard them?")
                                       .arg(count);
        const bool recover = Prompts().AskRecover(text);
        for (const Copy& copy : copies) {
            if (recover) {
                auto* document = new CVexilDoc();
                const std::string_view game(copy.game.constData(),
                                            static_cast<std::size_t>(copy.game.size()));
                if (!document->LoadRecovered(game, copy.origin).Loaded()) {
                    delete document;
                    const QString aside = copy.file + QStringLiteral(".damaged");
                    QFile::remove(aside);
                    QFile::rename(copy.file, aside);
                    damaged.append(QDir::toNativeSeparators(aside));
                    continue;
                }
                m_documents->AddDocument(document);
                // This instance's copy is written before the old one goes.
                Write(document);
                Finish();
                ++opened;
            }
            QFile::remove(copy.file);
        }
    }
    for (const QString& aside : damaged) Prompts().Tell(QString::fromLatin1(kDamaged).arg(aside));
    return opened;
}
